#pragma once

#include "CallLog.h"
#include "ChildProcess.h"
#include "Operations.h"
#include "Snapshot.h"
#include "TempFolder.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qs::faults {

// A shop to try the operations on: made once, with a catalogue big enough
// that saving it takes several writes, and copied afresh into the trial
// folder before each try. The trial folder keeps its path, so the paths the
// shop's location files hold stay true.
class TrialShop {
public:
    TrialShop();

    const std::string& folder() const { return trial_; }
    // The shop as it was made.
    const Snapshot& before() const { return before_; }

    // The operation on the fresh shop without a fault, done once: the files
    // it leaves and the calls it makes.
    struct Reference {
        Snapshot after;
        std::vector<Call> calls;
    };
    const Reference& reference(const Operation& operation);

    // The trial folder as the shop was made; the folder itself stays (it may be
    // a mount point).
    void reset();
    // The operation on the trial folder, under the fault library with the
    // arrangement given (its folder is the trial folder; an empty kind fails
    // nothing), the calls recorded.
    ChildOutcome run(const Operation& operation, const std::string& kind = "", long at = 0, int error = 0);
    std::vector<Call> calls() const { return readCallLog(log_); }

    // Both compare with the reference, which must have been made.
    //
    // What is wrong after the operation met a fault: success reported, a
    // crash, the system's message not told; then, once makeRoom has run, a
    // file no longer as before (outside the operation's part-built folder,
    // whose files were all saved, or all as before), a file of that folder
    // torn, or a temporary file left; then, with the operation tried again
    // without the fault, a failure, a temporary file left, and files other
    // than the reference's.
    std::vector<std::string> failedTryProblems(const Operation& operation, const ChildOutcome& outcome,
                                               std::string_view message, const std::function<void()>& makeRoom = {});
    // What is wrong after the operation completed: a failure, a temporary
    // file left, files other than the reference's.
    std::vector<std::string> completedProblems(const Operation& operation, const ChildOutcome& outcome);

private:
    ChildOutcome runCommand(const std::vector<std::string>& command, const Environment& environment);
    std::vector<std::string> differencesFromReference(const Operation& operation, const Snapshot& now);

    test::TempFolder base_;
    std::string trial_;
    std::string template_;
    std::string log_;
    Snapshot before_;
    std::map<std::string, Reference> references_;
};

} // namespace qs::faults
