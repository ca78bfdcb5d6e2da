#include "net/curl/curl_transport.h"

#include <curl/curl.h>

#include <cerrno>
#include <mutex>

namespace skelvane {

namespace {

// libcurl's global set-up must run once before any handle exists, and before threads use it.
void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    QByteArray body;
    std::size_t maxBody = 0;
    bool tooLarge = false;
    const std::function<void(const QString&)>* status = nullptr;
};

std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (static_cast<std::size_t>(transfer->body.size()) + bytes > transfer->maxBody) {
        transfer->tooLarge = true;
        return 0; // aborts the transfer with CURLE_WRITE_ERROR
    }
    transfer->body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

// libcurl's informational lines are the client's progress texts.
int DebugText(CURL*, curl_infotype type, char* data, std::size_t size, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    if (type != CURLINFO_TEXT || !transfer->status || !*transfer->status)
        return 0;
    const QString line = QString::fromUtf8(data, static_cast<qsizetype>(size)).trimmed();
    if (!line.isEmpty())
        (*transfer->status)(line);
    return 0;
}

HttpFailure Classify(CURLcode code, long osErrno, const Transfer& transfer) {
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        return HttpFailure::TooLarge;
    switch (code) {
    case CURLE_OK:
        return HttpFailure::None;
    case CURLE_COULDNT_CONNECT:
        if (osErrno == ECONNREFUSED)
            return HttpFailure::Refused;
        if (osErrno == EACCES || osErrno == EPERM)
            return HttpFailure::AccessDenied;
        return HttpFailure::Other;
    case CURLE_OPERATION_TIMEDOUT:
        return HttpFailure::TimedOut;
    default:
        return HttpFailure::Other;
    }
}

} // namespace

CurlTransport::~CurlTransport() {
    if (curl_)
        curl_easy_cleanup(curl_);
}

HttpResult CurlTransport::perform(const HttpRequest& request,
                                  const std::function<void(const QString&)>& status) {
    HttpResult result;
    if (!curl_) {
        InitialiseCurlOnce();
        curl_ = curl_easy_init();
        if (curl_ && request.options.keepCookies)
            curl_easy_setopt(curl_, CURLOPT_COOKIEFILE, ""); // cookies in memory, per client
    }
    CURL* curl = curl_;
    if (!curl) {
        result.errorText = QStringLiteral("the HTTP library could not be started");
        return result;
    }
    const HttpClient::Options& options = request.options;
    Transfer transfer;
    transfer.maxBody = options.limits.maxBody;
    transfer.status = &status;

    // Options are set afresh for every request; the handle keeps only its connections and
    // its cookies between requests.
    const QByteArray address = request.url.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, options.followRedirects ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L); // worker threads: no SIGALRM for time-outs
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options.limits.connect.count()));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, options.limits.stallBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>((options.limits.stall.count() + 999) / 1000));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(options.limits.maxBody));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, ""); // whatever libcurl can decode
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, progress_ ? 0L : 1L);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &progress_);
    curl_easy_setopt(
        curl, CURLOPT_XFERINFOFUNCTION,
        +[](void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) -> int {
            const auto* progress = static_cast<const std::function<void()>*>(user);
            if (*progress)
                (*progress)();
            return 0;
        });
    errorBuffer_[0] = '\0';

    const bool logging = static_cast<bool>(status);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, logging ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, logging ? DebugText : nullptr);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &transfer);

    if (!options.userAgent.isEmpty())
        curl_easy_setopt(curl, CURLOPT_USERAGENT, options.userAgent.constData());
    else
        curl_easy_setopt(curl, CURLOPT_USERAGENT, nullptr);
    curl_slist* headers = nullptr;
    if (!options.accept.isEmpty())
        headers = curl_slist_append(headers, ("Accept: " + options.accept).constData());
    if (!options.contentType.isEmpty())
        headers = curl_slist_append(headers, ("Content-Type: " + options.contentType).constData());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

    const HttpProxy& proxy = request.proxy;
    const QByteArray proxyHost = proxy.host.toUtf8();
    const QByteArray proxyUser = proxy.userName.toUtf8();
    const QByteArray proxyPassword = proxy.password.toUtf8();
    if (!proxy.host.isEmpty() && proxy.port > 0) {
        curl_easy_setopt(curl, CURLOPT_PROXY, proxyHost.constData());
        curl_easy_setopt(curl, CURLOPT_PROXYPORT, static_cast<long>(proxy.port));
        curl_easy_setopt(curl, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
        // Basic only, so the credentials go with the first request instead of after a 407.
        curl_easy_setopt(curl, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME,
                         proxy.userName.isEmpty() ? nullptr : proxyUser.constData());
        curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD,
                         proxy.userName.isEmpty() ? nullptr : proxyPassword.constData());
    } else {
        // An empty proxy text also overrides the http_proxy variables of the environment.
        curl_easy_setopt(curl, CURLOPT_PROXY, "");
        curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, nullptr);
        curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, nullptr);
    }

    if (options.keepCookies)
        for (const QByteArray& cookie : request.cookies)
            curl_easy_setopt(curl, CURLOPT_COOKIELIST, cookie.constData());

    const CURLcode code = curl_easy_perform(curl);
    if (options.keepCookies) {
        curl_slist* cookies = nullptr;
        if (curl_easy_getinfo(curl, CURLINFO_COOKIELIST, &cookies) == CURLE_OK) {
            for (const curl_slist* line = cookies; line; line = line->next)
                result.cookies << QByteArray(line->data);
            curl_slist_free_all(cookies);
        }
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);

    long osErrno = 0;
    curl_easy_getinfo(curl, CURLINFO_OS_ERRNO, &osErrno);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    char* effective = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
        result.finalUrl = QString::fromUtf8(effective);
    // The header of the last answer (after redirects); the last one when it came twice.
    curl_header* header = nullptr;
    if (code == CURLE_OK &&
        curl_easy_header(curl, "Cache-Control", 0, CURLH_HEADER, -1, &header) == CURLHE_OK &&
        header->amount > 1)
        curl_easy_header(curl, "Cache-Control", header->amount - 1, CURLH_HEADER, -1, &header);
    if (code == CURLE_OK && header && header->value)
        result.cacheControl = QByteArray(header->value);
    result.body = std::move(transfer.body);
    result.failure = Classify(code, osErrno, transfer);
    if (result.failure == HttpFailure::None && result.status >= 400)
        result.failure = HttpFailure::HttpStatus;

    switch (result.failure) {
    case HttpFailure::None:
        break;
    case HttpFailure::HttpStatus:
        result.errorText = QStringLiteral("HTTP status %1").arg(result.status);
        break;
    case HttpFailure::TooLarge:
        result.errorText = QStringLiteral("the answer is larger than %1 bytes")
                               .arg(static_cast<qulonglong>(options.limits.maxBody));
        result.body.clear();
        break;
    default:
        result.errorText =
            QString::fromUtf8(errorBuffer_[0] ? errorBuffer_ : curl_easy_strerror(code));
        break;
    }
    return result;
}

void UseCurlInProcess() {
    SetHttpTransportFactory(
        [] { return std::unique_ptr<HttpTransport>(std::make_unique<CurlTransport>()); });
}

} // namespace skelvane
