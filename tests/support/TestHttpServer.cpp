#include "TestHttpServer.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace {

struct WsaInit {
    WsaInit() {
        WSADATA d;
        WSAStartup(MAKEWORD(2, 2), &d);
    }
};

const char* Reason(int status) {
    switch (status) {
        case 200: return "OK";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        default: return "Status";
    }
}

bool SendAll(SOCKET s, const char* p, size_t n) {
    while (n > 0) {
        const int sent = send(s, p, static_cast<int>(std::min<size_t>(n, 1 << 16)), 0);
        if (sent <= 0) return false;
        p += sent;
        n -= sent;
    }
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

bool ReadRequest(SOCKET s, HttpRequest& req) {
    std::string data;
    char buf[4096];
    size_t headerEnd;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        const int n = recv(s, buf, sizeof buf, 0);
        if (n <= 0) return false;
        data.append(buf, n);
    }
    size_t lineEnd = data.find("\r\n");
    const std::string requestLine = data.substr(0, lineEnd);
    const size_t sp1 = requestLine.find(' '), sp2 = requestLine.rfind(' ');
    req.method = requestLine.substr(0, sp1);
    req.target = requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
    req.path = req.target.substr(0, req.target.find('?'));
    size_t pos = lineEnd + 2;
    while (pos < headerEnd) {
        const size_t e = data.find("\r\n", pos);
        const std::string line = data.substr(pos, e - pos);
        const size_t colon = line.find(':');
        if (colon != std::string::npos) {
            size_t v = colon + 1;
            while (v < line.size() && line[v] == ' ') ++v;
            req.headers[Lower(line.substr(0, colon))] = line.substr(v);
        }
        pos = e + 2;
    }
    req.body = data.substr(headerEnd + 4);
    const auto cl = req.headers.find("content-length");
    const size_t want = cl == req.headers.end() ? 0 : std::stoul(cl->second);
    while (req.body.size() < want) {
        const int n = recv(s, buf, sizeof buf, 0);
        if (n <= 0) break;
        req.body.append(buf, n);
    }
    return true;
}

}  // namespace

TestHttpServer::TestHttpServer() {
    static WsaInit init;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(s, 64) != 0)
        throw std::runtime_error("test HTTP server cannot listen");
    int len = sizeof addr;
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    listener_ = s;
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

TestHttpServer::~TestHttpServer() {
    stopping_ = true;
    closesocket(static_cast<SOCKET>(listener_));
    acceptor_.join();
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> lock(mu_);
        for (uintptr_t s : open_) shutdown(static_cast<SOCKET>(s), SD_BOTH);
        workers.swap(workers_);
    }
    for (auto& t : workers) t.join();
}

void TestHttpServer::Route(const std::string& path, Handler handler) {
    std::lock_guard<std::mutex> lock(mu_);
    routes_[path] = std::move(handler);
}

void TestHttpServer::Route(const std::string& path, HttpResponse fixed) {
    Route(path, [fixed](const HttpRequest&) { return fixed; });
}

HttpResponse TestHttpServer::Text(std::string body, std::string contentType) {
    HttpResponse r;
    r.headers.emplace_back("Content-Type", std::move(contentType));
    r.body = std::move(body);
    return r;
}

HttpResponse TestHttpServer::Redirect(const std::string& location, int status) {
    HttpResponse r;
    r.status = status;
    r.headers.emplace_back("Location", location);
    return r;
}

std::string TestHttpServer::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::wstring TestHttpServer::BaseUrlW() const {
    const std::string s = BaseUrl();
    return std::wstring(s.begin(), s.end());
}

std::vector<HttpRequest> TestHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(mu_);
    return log_;
}

size_t TestHttpServer::RequestCount(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mu_);
    return std::count_if(log_.begin(), log_.end(), [&](const HttpRequest& r) { return r.path == path; });
}

size_t TestHttpServer::Answering() const { return answering_; }

void TestHttpServer::AcceptLoop() {
    while (!stopping_) {
        SOCKET c = accept(static_cast<SOCKET>(listener_), nullptr, nullptr);
        if (c == INVALID_SOCKET) continue;
        std::lock_guard<std::mutex> lock(mu_);
        if (stopping_) {
            closesocket(c);
            break;
        }
        open_.push_back(c);
        workers_.emplace_back([this, c] { Serve(c); });
    }
}

HttpResponse TestHttpServer::Dispatch(const HttpRequest& req) {
    Handler h;
    {
        std::lock_guard<std::mutex> lock(mu_);
        log_.push_back(req);
        const auto it = routes_.find(req.path);
        if (it != routes_.end()) h = it->second;
    }
    if (!h) {
        HttpResponse r = Text("<html><body>not found</body></html>");
        r.status = 404;
        return r;
    }
    return h(req);
}

void TestHttpServer::SleepUnlessStopping(int ms) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stopping_ && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

bool TestHttpServer::Answer(uintptr_t sock, const HttpRequest& req, const HttpResponse& r) {
    const SOCKET s = static_cast<SOCKET>(sock);
    if (r.neverAnswer) {
        while (!stopping_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return false;
    }
    if (r.delayMs) SleepUnlessStopping(r.delayMs);
    const auto connection = req.headers.find("connection");
    const bool keep = !r.lateReply.empty() && (connection == req.headers.end() || Lower(connection->second) != "close");
    std::string head = "HTTP/1.1 " + std::to_string(r.status) + " " + Reason(r.status) + "\r\n";
    for (const auto& [k, v] : r.headers) head += k + ": " + v + "\r\n";
    if (!r.endless) head += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
    head += keep ? "\r\n" : "Connection: close\r\n\r\n";
    bool ok = SendAll(s, head.data(), head.size());
    const size_t piece = static_cast<size_t>(std::max(1, r.chunkBytes));
    do {
        for (size_t at = 0; ok && at < r.body.size() && !stopping_; at += piece) {
            if (at && r.chunkDelayMs) SleepUnlessStopping(r.chunkDelayMs);
            ok = SendAll(s, r.body.data() + at, std::min(piece, r.body.size() - at));
        }
    } while (ok && r.endless && !r.body.empty() && !stopping_);
    if (ok && keep) {
        SleepUnlessStopping(500);
        return !stopping_ && SendAll(s, r.lateReply.data(), r.lateReply.size());
    }
    if (ok) shutdown(s, SD_SEND);
    return false;
}

void TestHttpServer::Serve(uintptr_t sock) {
    HttpRequest req;
    while (ReadRequest(static_cast<SOCKET>(sock), req)) {
        ++answering_;
        const bool kept = Answer(sock, req, Dispatch(req));
        --answering_;
        if (!kept) break;
        req = {};
    }
    std::lock_guard<std::mutex> lock(mu_);
    open_.erase(std::remove(open_.begin(), open_.end(), sock), open_.end());
    closesocket(static_cast<SOCKET>(sock));
}
