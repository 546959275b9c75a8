// Log call of the device-manager library: the logger of the calling class plus location.
#pragma once

#include "olvar/OlvarLog.h"

#define VELK_LOG(logger, level, message) OlvarLog((logger), (level), __FILE__, __LINE__, __func__, (message))
