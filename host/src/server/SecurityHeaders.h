// The headers every response of the settings server carries: no framing, no sniffing, no
// script but the page's own files, no referrer. No CORS header is ever sent.
#pragma once

#include "Beast.h"

namespace Host::web {

template <class Fields>
void addSecurityHeaders(Fields& fields) {
    fields.set(http::field::server, "mediadevice-host");
    fields.set("Content-Security-Policy", "default-src 'self'");
    fields.set("X-Content-Type-Options", "nosniff");
    fields.set("X-Frame-Options", "DENY");
    fields.set("Referrer-Policy", "no-referrer");
    fields.set(http::field::cache_control, "no-store");
}

}  // namespace Host::web
