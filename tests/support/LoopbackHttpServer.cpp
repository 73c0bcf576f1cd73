#include "tests/support/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace kiv::test {

namespace {

constexpr int kPollMs = 50;

int listenOnLoopback(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no loopback socket");
    port = ntohs(address.sin_port);
    return fd;
}

void sendAll(int fd, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += n;
    }
}

std::string readHead(int fd)
{
    std::string head;
    char c;
    while (head.find("\r\n\r\n") == std::string::npos && recv(fd, &c, 1, 0) == 1)
        head += c;
    return head;
}

std::string statusLine(int status, const char* reason, const std::string& headers)
{
    return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nConnection: close\r\n" + headers + "\r\n";
}

std::string chunked(const std::string& body)
{
    std::string out;
    for (std::size_t at = 0; at < body.size(); at += 1000) {
        const std::string piece = body.substr(at, 1000);
        char size[16];
        std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
        out += size + piece + "\r\n";
    }
    return out + "0\r\n\r\n";
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(std::string body)
    : body_(std::move(body)), listener_(listenOnLoopback(port_)), thread_([this] { serve(); })
{
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    stopping_ = true;
    thread_.join();
    close(listener_);
}

std::string LoopbackHttpServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackHttpServer::requests() const
{
    const std::lock_guard lock(mutex_);
    return requests_;
}

int LoopbackHttpServer::closedPort()
{
    int port = 0;
    close(listenOnLoopback(port));
    return port;
}

void LoopbackHttpServer::serve()
{
    while (!stopping_) {
        pollfd p{listener_, POLLIN, 0};
        if (poll(&p, 1, kPollMs) <= 0)
            continue;
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0)
            continue;
        ++connections_;
        answer(client);
        close(client);
    }
}

void LoopbackHttpServer::answer(int client)
{
    const std::string head = readHead(client);
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(head);
    }
    const std::size_t start = head.find(' ') + 1;
    const std::string path = head.substr(start, head.find(' ', start) - start);
    const std::string length = "Content-Length: " + std::to_string(body_.size()) + "\r\n";
    const std::string errorPage = "<html><body>error</body></html>";
    const std::string errorLength = "Content-Length: " + std::to_string(errorPage.size()) + "\r\n";
    if (path == "/ok")
        sendAll(client, statusLine(200, "OK", length) + body_);
    else if (path == "/chunked")
        sendAll(client, statusLine(200, "OK", "Transfer-Encoding: chunked\r\n") + chunked(body_));
    else if (path == "/close")
        sendAll(client, statusLine(200, "OK", "") + body_);
    else if (path == "/500")
        sendAll(client, statusLine(500, "Internal Server Error", errorLength) + errorPage);
    else if (path == "/redirect")
        sendAll(client, statusLine(302, "Found", "Location: /ok\r\nContent-Length: 0\r\n"));
    else if (path == "/loop")
        sendAll(client, statusLine(302, "Found", "Location: /loop\r\nContent-Length: 0\r\n"));
    else if (path == "/short")
        sendAll(client, statusLine(200, "OK", "Content-Length: " + std::to_string(body_.size() + 1000) + "\r\n") + body_);
    else if (path == "/huge")
        sendAll(client, statusLine(200, "OK", "Content-Length: 10737418240\r\n") + body_);
    else if (path == "/stall")
        waitForClose(client);
    else if (path != "/drop")
        sendAll(client, statusLine(404, "Not Found", errorLength) + errorPage);
}

void LoopbackHttpServer::waitForClose(int client) const
{
    char c;
    while (!stopping_) {
        pollfd p{client, POLLIN, 0};
        if (poll(&p, 1, kPollMs) > 0 && recv(client, &c, 1, 0) <= 0)
            return;
    }
}

} // namespace kiv::test
