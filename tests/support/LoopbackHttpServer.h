#pragma once
// A small HTTP server on 127.0.0.1 for the download tests, run on its own thread. Requests are
// answered one after another by path:
//   /ok        200 with Content-Length and body()
//   /chunked   200, chunked, no length
//   /close     200, no length, the body ends when the connection closes
//   /404, /500 that status with an error page
//   /redirect  302 to /ok
//   /loop      302 to itself
//   /short     a Content-Length longer than the body, then the connection closes
//   /huge      200 announcing 10 GiB, then body() and the connection closes
//   /stall     reads the request and answers nothing until the client gives up
//   /drop      reads the request and closes without an answer
// Anything else gets 404. While it runs, loopback addresses bypass any proxy of the environment.

#include "tests/support/ScopedEnvironment.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kiv::test {

class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::string body);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::string url(const std::string& path) const;
    const std::string& body() const { return body_; }
    int connections() const { return connections_; }
    // The request heads received, in order.
    std::vector<std::string> requests() const;

    // A loopback port on which nothing listens.
    static int closedPort();

private:
    void serve();
    void answer(int client);
    // Waits until the client closes or the server stops.
    void waitForClose(int client) const;

    ScopedEnvironment noProxy_{"no_proxy", "127.0.0.1"};
    std::string body_;
    int port_ = 0; // before listener_, whose initialiser sets it
    int listener_ = -1;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

} // namespace kiv::test
