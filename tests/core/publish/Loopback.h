#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/time.h>
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
