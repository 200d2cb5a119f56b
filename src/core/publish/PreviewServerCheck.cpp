#include "core/publish/PreviewServerCheck.h"

#include "core/app/AppState.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <random>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qs {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto patience = std::chrono::seconds(3);
// The question's file is a few dozen bytes: a longer answer is not it.
constexpr std::size_t answerLimit = 16 * 1024;
constexpr std::string_view fileNameStart = "quaystall-preview-";
constexpr std::string_view fileNameEnd = ".txt";

std::string randomText()
{
    static constexpr std::string_view digits = "0123456789abcdef";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, digits.size() - 1);
    std::string text(32, '0');
    for (char& c : text)
        c = digits[pick(random)];
    return text;
}

// A file of the image folder that lives as long as the question.
class QuestionFile {
public:
    QuestionFile(const std::string& folder, const std::string& text)
    {
        std::string path = joinPath(folder, std::string(fileNameStart) + "XXXXXX" + std::string(fileNameEnd));
        const int fd = ::mkostemps(path.data(), static_cast<int>(fileNameEnd.size()), O_CLOEXEC);
        if (fd < 0)
            return;
        path_ = std::move(path);
        // Readable by a web server running as another user.
        const bool written = ::fchmod(fd, 0644) == 0 &&
                             ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        if (::close(fd) != 0 || !written)
            remove();
    }
    ~QuestionFile() { remove(); }
    QuestionFile(const QuestionFile&) = delete;
    QuestionFile& operator=(const QuestionFile&) = delete;

    bool exists() const { return !path_.empty(); }
    std::string name() const { return path_.substr(path_.find_last_of('/') + 1); }

private:
    void remove()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
        path_.clear();
    }

    std::string path_;
};

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits, until the deadline at most, for the socket to be ready for events.
bool ready(int fd, short events, Clock::time_point deadline)
{
    pollfd waiting{fd, events, 0};
    int result;
    while ((result = ::poll(&waiting, 1, millisecondsUntil(deadline))) < 0 && errno == EINTR) {
    }
    return result == 1;
}

// The whole answer of an HTTP/1.0 GET to 127.0.0.1:port, as far as it came
// before the deadline; nothing when no connection could be made.
std::optional<std::string> askLoopback(int port, const std::string& path, Clock::time_point deadline)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int error = 0;
    socklen_t size = sizeof error;
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
                           (errno == EINPROGRESS && ready(fd, POLLOUT, deadline) &&
                            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0);
    if (!connected) {
        ::close(fd);
        return std::nullopt;
    }
    const std::string request = "GET " + path + " HTTP/1.0\r\nHost: localhost:" + std::to_string(port) +
                                "\r\nConnection: close\r\n\r\n";
    std::size_t sent = 0;
    while (sent < request.size() && ready(fd, POLLOUT, deadline)) {
        const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<std::size_t>(n);
    }
    std::string answer;
    char buffer[4096];
    while (sent == request.size() && answer.size() <= answerLimit && ready(fd, POLLIN, deadline)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return answer;
}

// Whether the answer is "200" with exactly the body.
bool answersWith(std::string_view answer, std::string_view body)
{
    const std::size_t headEnd = answer.find("\r\n\r\n");
    if (!answer.starts_with("HTTP/") || headEnd == std::string_view::npos)
        return false;
    const std::size_t status = answer.find(' ');
    return status + 4 < headEnd && answer.substr(status + 1, 3) == "200" &&
           (answer[status + 4] == ' ' || answer[status + 4] == '\r') && answer.substr(headEnd + 4) == body;
}

} // namespace

PreviewServerCheck checkPreviewServer(int port, const std::string& imageFolder)
{
    if (imageFolder.empty())
        return PreviewServerCheck::Unknown;
    const std::string text = randomText();
    const QuestionFile file(imageFolder, text);
    if (!file.exists())
        return PreviewServerCheck::Unknown;
    const std::optional<std::string> answer =
        askLoopback(port, "/images/" + file.name(), Clock::now() + patience);
    return answer && answersWith(*answer, text) ? PreviewServerCheck::Ours : PreviewServerCheck::Foreign;
}

} // namespace qs
