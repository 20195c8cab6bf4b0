// libpelk_http.so: the program's HTTP client over libcurl.
#include "CurlHttpClient.h"
#include "PlatformModuleExports.h"

#include <type_traits>

extern "C" HttpClient* pelk_make_http_client() {
    return new CurlHttpClient;
}

static_assert(std::is_same_v<decltype(pelk_make_http_client), MakeHttpClient>);
