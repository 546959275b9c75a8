#pragma once
#define OLVAR_API __attribute__((visibility("default")))
