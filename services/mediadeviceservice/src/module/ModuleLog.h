// Logging of the module: the caller's source path (relative, without extension) and
// qualified function name go with every line. Messages are built only when the level is on.
#pragma once

#include <sstream>
#include <string>

#include "module/Export.h"
#include "olvar/OlvarLog.h"

namespace OlvarUnified::ModuleLog {

// "services/.../MediaDeviceAdapter.cpp" -> "services/.../MediaDeviceAdapter"
std::string sourcePath(const char* file);
// "void OlvarUnified::MediaDeviceAdapter::cleanup()" -> "OlvarUnified::MediaDeviceAdapter::cleanup"
std::string qualifiedFunction(const char* prettyFunction);

template <class Stream>
void write(OlvarLoggerHandle logger, int level, const char* file, int line, const char* function,
           const Stream& stream) {
    OlvarLog(logger, level, sourcePath(file).c_str(), line, qualifiedFunction(function).c_str(), stream.str());
}

}  // namespace OlvarUnified::ModuleLog

#define MDS_LOG_AT(logger, level, streamType, message)                                                      \
    do {                                                                                                   \
        if (OlvarLog_isEnabled((logger), (level))) {                                                       \
            streamType mds_log_stream_;                                                                    \
            mds_log_stream_ << message;                                                                    \
            ::OlvarUnified::ModuleLog::write((logger), (level), __FILE__, __LINE__, __PRETTY_FUNCTION__,   \
                                             mds_log_stream_);                                             \
        }                                                                                                  \
    } while (0)

#define MDS_LOG_ERROR(logger, message) MDS_LOG_AT(logger, OLVAR_LOG_ERROR, std::ostringstream, message)
#define MDS_LOG_WARNING(logger, message) MDS_LOG_AT(logger, OLVAR_LOG_WARNING, std::ostringstream, message)
#define MDS_LOG_INFO(logger, message) MDS_LOG_AT(logger, OLVAR_LOG_INFO, std::ostringstream, message)
#define MDS_LOG_DEBUG(logger, message) MDS_LOG_AT(logger, OLVAR_LOG_DEBUG, std::ostringstream, message)
#define MDS_LOG_TRACE(logger, message) MDS_LOG_AT(logger, OLVAR_LOG_TRACE, std::ostringstream, message)
#define MDS_LOG_INFO_W(logger, message) MDS_LOG_AT(logger, OLVAR_LOG_INFO, std::wostringstream, message)
#define MDS_LOG_DEBUG_W(logger, message) MDS_LOG_AT(logger, OLVAR_LOG_DEBUG, std::wostringstream, message)
