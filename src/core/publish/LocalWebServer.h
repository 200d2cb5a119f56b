#pragma once

#include <string>
#include <sys/types.h>

namespace qs {

// A web server on this computer for the preview: lighttpd, run in the
// foreground as a child of this program on 127.0.0.1 only, with the
// configuration the installation ships. It serves the local CGI root under
// /cgi-bin/qstldb/ and the program-wide image folder under /images. The
// server lives until stop(), or until this object goes.
class LocalWebServer {
public:
    struct Roots {
        std::string cgi;
        std::string images;
    };

    // The lighttpd program to run; by default the one this computer has
    // (empty when it has none).
    explicit LocalWebServer(std::string program = findLighttpd());
    ~LocalWebServer();
    LocalWebServer(const LocalWebServer&) = delete;
    LocalWebServer& operator=(const LocalWebServer&) = delete;

    bool installed() const;

    // Starts the server at 127.0.0.1:port and waits, a few seconds at most,
    // until it answers. Empty when it does; otherwise why not, in the
    // server's own words where it gave any.
    std::string start(const std::string& configuration, int port, const Roots& roots);
    // Ends the server and waits for it to go.
    void stop();

    bool running() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // Whether anything accepts connections at 127.0.0.1:port.
    static bool answers(int port);
    // lighttpd on the search path or in the system's program folders.
    static std::string findLighttpd();

    // The environment through which the configuration learns the port and folders.
    static constexpr const char* portVariable = "QUAYSTALL_PREVIEW_PORT";
    static constexpr const char* cgiRootVariable = "QUAYSTALL_CGI_ROOT";
    static constexpr const char* imagesRootVariable = "QUAYSTALL_IMAGES_ROOT";

private:
    // Runs the server with its log file as standard error. Empty when it
    // runs; otherwise why not.
    std::string spawn(const std::string& configuration, int port, const Roots& roots);
    // Until the running server answers at the port, a few seconds at most.
    // Empty when it does; otherwise why not, the server then ended.
    std::string waitUntilAnswering(int port);
    std::string lastLogLine() const;
    void forgetLog();

    std::string program_;
    pid_t pid_ = -1;
    std::string logPath_;
};

} // namespace qs
