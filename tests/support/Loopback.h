#pragma once

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>

namespace qs::test {

// Sockets on this computer's loopback address only, for tests that need a
// port nobody uses, one that is taken, or a page from a local web server.
class LoopbackSocket {
public:
    // Bound to a port of the system's choosing; listening when asked to.
    explicit LoopbackSocket(bool listening)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address = loopback(0);
        ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        socklen_t size = sizeof address;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        if (listening)
            ::listen(fd_, 8);
    }
    ~LoopbackSocket() { ::close(fd_); }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    int port() const { return port_; }
    int fd() const { return fd_; }

    static sockaddr_in loopback(int port)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

private:
    int fd_ = -1;
    int port_ = 0;
};

// A web server of the test's own on a loopback port: each request's path
// gets the whole answer the function gives for it.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::function<std::string(const std::string& path)> answer)
        : socket_(true), answer_(std::move(answer)), thread_([this] { serve(); })
    {
    }
    ~LoopbackHttpServer()
    {
        stopping_ = true;
        thread_.join();
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return socket_.port(); }

private:
    void serve()
    {
        while (!stopping_) {
            pollfd waiting{socket_.fd(), POLLIN, 0};
            if (::poll(&waiting, 1, 20) != 1)
                continue;
            const int client = ::accept4(socket_.fd(), nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                continue;
            std::string request;
            char buffer[4096];
            for (ssize_t n; request.find("\r\n\r\n") == std::string::npos &&
                            (n = ::recv(client, buffer, sizeof buffer, 0)) > 0;)
                request.append(buffer, static_cast<std::size_t>(n));
            // A look whether anything answers sends no request.
            if (request.empty()) {
                ::close(client);
                continue;
            }
            const std::size_t pathStart = request.find(' ') + 1;
            const std::string answer =
                answer_(request.substr(pathStart, request.find(' ', pathStart) - pathStart));
            ::send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
            ::close(client);
        }
    }

    LoopbackSocket socket_;
    std::function<std::string(const std::string&)> answer_;
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
};

// The whole answer of a web server with a status and a plain-text body.
inline std::string httpAnswer(const std::string& status, const std::string& body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\n\r\n" + body;
}

// Answers as the preview's own web server does for the image folder it
// serves under /images/.
inline std::function<std::string(const std::string&)> servingImagesFrom(std::string folder)
{
    return [folder = std::move(folder)](const std::string& path) {
        const std::string_view served = "/images/";
        const std::string file = folder + "/" + path.substr(std::min(path.size(), served.size()));
        if (!path.starts_with(served) || !std::filesystem::is_regular_file(file))
            return httpAnswer("404 Not Found", "");
        std::ostringstream bytes;
        bytes << std::ifstream(file, std::ios::binary).rdbuf();
        return httpAnswer("200 OK", bytes.str());
    };
}

// A port that was free a moment ago.
inline int freeLoopbackPort()
{
    return LoopbackSocket(false).port();
}

struct HttpResponse {
    int status = 0;
    std::string headers;
    std::string body;
};

// One HTTP/1.0 GET from 127.0.0.1; gives up after ten seconds of silence.
inline HttpResponse httpGet(int port, const std::string& path)
{
    HttpResponse response;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval timeout{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    const sockaddr_in address = LoopbackSocket::loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return response;
    }
    const std::string request = "GET " + path + " HTTP/1.0\r\nHost: localhost\r\n\r\n";
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string received;
    char buffer[65536];
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        received.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    const std::size_t split = received.find("\r\n\r\n");
    if (received.rfind("HTTP/", 0) != 0 || split == std::string::npos)
        return response;
    response.status = std::stoi(received.substr(received.find(' ') + 1, 3));
    response.headers = received.substr(0, split);
    response.body = received.substr(split + 4);
    return response;
}

} // namespace qs::test
