// Classes of the module are exported by name; everything else stays hidden.
#pragma once

#define MDS_EXPORT __attribute__((visibility("default")))
