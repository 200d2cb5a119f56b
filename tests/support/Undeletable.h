#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qs::test {

// Makes the entries of a folder impossible to delete for as long as it lives:
// a folder without write permission stops an ordinary user, and for root the
// immutable attribute does (where the file system has it). available() is
// false when neither works, and the test should then be skipped.
class Undeletable {
public:
    explicit Undeletable(std::filesystem::path folder) : folder_(std::move(folder))
    {
        if (::geteuid() != 0)
            available_ = ::chmod(folder_.c_str(), 0555) == 0;
        else
            available_ = std::system(("chattr +i '" + folder_.string() + "' 2>/dev/null").c_str()) == 0;
    }
    ~Undeletable()
    {
        if (!available_)
            return;
        if (::geteuid() != 0) {
            ::chmod(folder_.c_str(), 0755);
        } else {
            const int status = std::system(("chattr -i '" + folder_.string() + "'").c_str());
            static_cast<void>(status);
        }
    }
    Undeletable(const Undeletable&) = delete;
    Undeletable& operator=(const Undeletable&) = delete;

    bool available() const { return available_; }

private:
    std::filesystem::path folder_;
    bool available_ = false;
};

} // namespace qs::test
