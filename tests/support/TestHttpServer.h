// A small HTTP/1.1 server on 127.0.0.1 inside a test process: routes by path,
// fixed or computed replies, redirects, slow, trickling and silent replies.
// Each connection is answered once and closed, except after a reply with a
// late second one: that connection is kept for further requests.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct HttpRequest {
    std::string method;
    std::string target;  // path with query, as sent
    std::string path;    // without the query
    std::map<std::string, std::string> headers;  // names in lower case
    std::string body;
};

struct HttpResponse {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;  // Content-Length is added
    std::string body;
    int delayMs = 0;          // wait before the status line
    int chunkBytes = 1 << 16; // the body is sent in pieces of this size
    int chunkDelayMs = 0;     // wait between pieces of the body
    bool neverAnswer = false; // keep the connection open and silent until the server stops
    bool endless = false;     // no Content-Length: the body is sent over and over until the client goes
    // Bytes nobody asked for, written on the connection half a second after
    // the reply, which keeps the connection open as HTTP/1.1 does (unless
    // the request asked to close it).
    std::string lateReply;
};

class TestHttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    TestHttpServer();  // listens on an ephemeral port of 127.0.0.1
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    void Route(const std::string& path, Handler handler);
    void Route(const std::string& path, HttpResponse fixed);
    // Shorthands for common replies.
    static HttpResponse Text(std::string body, std::string contentType = "text/html; charset=utf-8");
    static HttpResponse Redirect(const std::string& location, int status = 302);

    uint16_t Port() const { return port_; }
    std::string BaseUrl() const;    // "http://127.0.0.1:<port>"
    std::wstring BaseUrlW() const;

    std::vector<HttpRequest> Requests() const;
    size_t RequestCount(const std::string& path) const;
    // Connections with a reply, or a late one, still to be written.
    size_t Answering() const;

private:
    void AcceptLoop();
    void Serve(uintptr_t sock);
    // Writes the reply; true when the connection stays open for another request.
    bool Answer(uintptr_t sock, const HttpRequest& req, const HttpResponse& r);
    void SleepUnlessStopping(int ms) const;
    HttpResponse Dispatch(const HttpRequest& req);

    uintptr_t listener_;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    mutable std::mutex mu_;
    std::map<std::string, Handler> routes_;
    std::vector<HttpRequest> log_;
    std::vector<std::thread> workers_;
    std::vector<uintptr_t> open_;
    std::atomic<size_t> answering_{0};
};
