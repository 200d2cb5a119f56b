#include "TrialShop.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace qs::faults {
namespace {

constexpr const char* callKinds[] = {"write", "fsync", "close", "rename", "link"};

// QS_FAULT_SWEEP=full: every call of every kind fails in turn, and the
// operation then completes. Otherwise a handful: the last call of each kind
// (the folder's flush for fsync) and the first write.
bool fullSweep()
{
    const char* sweep = std::getenv("QS_FAULT_SWEEP");
    return sweep && std::string_view(sweep) == "full";
}

std::vector<long> faultPoints(std::string_view kind, long points, bool full)
{
    std::vector<long> tries;
    for (long at = full ? 1 : points; at <= (full ? points + 1 : points); ++at)
        tries.push_back(at);
    if (!full && kind == "write" && points > 1)
        tries.insert(tries.begin(), 1);
    return tries;
}

std::string joined(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& problem : problems)
        text.append("\n  ").append(problem);
    return text;
}

// Fault points tried (of those the operation has) and failures, per kind.
struct Figure {
    long tried = 0;
    long points = 0;
    long failures = 0;
};

class Figures {
public:
    void add(const std::string& operation, const char* kind, long points, bool failed)
    {
        Figure& figure = rows_[operation][kind];
        figure.points = points;
        ++figure.tried;
        figure.failures += failed ? 1 : 0;
    }

    void print(std::ostream& out, bool full) const
    {
        out << "Fault points tried (of those the operation has), " << (full ? "every one" : "a handful") << ":\n"
            << std::left << std::setw(20) << "operation";
        for (const char* kind : callKinds)
            out << std::setw(11) << kind;
        out << "failures\n";
        long tried = 0, failures = 0;
        for (const auto& [operation, kinds] : rows_) {
            out << std::setw(20) << operation;
            long rowFailures = 0;
            for (const char* kind : callKinds) {
                const auto found = kinds.find(kind);
                const Figure figure = found == kinds.end() ? Figure() : found->second;
                out << std::setw(11) << (std::to_string(figure.tried) + "/" + std::to_string(figure.points));
                tried += figure.tried;
                rowFailures += figure.failures;
            }
            out << rowFailures << '\n';
            failures += rowFailures;
        }
        out << "total: " << tried << " fault points tried, " << failures << " failures\n";
    }

private:
    std::map<std::string, std::map<std::string, Figure>> rows_;
};

// What is wrong when the call numbered at of the kind fails; nothing when
// the operation never gets that far (done then).
std::vector<std::string> faultProblems(TrialShop& shop, const Operation& operation, const char* kind, long at,
                                       bool& done)
{
    shop.reset();
    const ChildOutcome outcome = shop.run(operation, kind, at, EIO);
    done = !anyFailed(shop.calls());
    return done ? shop.completedProblems(operation, outcome)
                : shop.failedTryProblems(operation, outcome, std::strerror(EIO));
}

TEST(FaultSweep, EveryOperationMeetingAFailedCallTellsItAndLeavesTheShopAsItWas)
{
    const bool full = fullSweep();
    TrialShop shop;
    Figures figures;
    for (const Operation& operation : operations()) {
        const std::vector<Call>& calls = shop.reference(operation).calls;
        for (const char* kind : callKinds) {
            const long points = countOf(calls, kind);
            for (const long at : faultPoints(kind, points, full)) {
                bool done = false;
                const std::vector<std::string> problems = faultProblems(shop, operation, kind, at, done);
                const bool expectedDone = at > points;
                EXPECT_EQ(done, expectedDone) << operation.name << ", " << kind << " " << at
                                              << ": the calls differ from those made without a fault";
                EXPECT_TRUE(problems.empty())
                    << operation.name << ", " << kind << " " << at << " of " << points << " failed:" << joined(problems);
                if (!expectedDone)
                    figures.add(operation.name, kind, points, !problems.empty());
            }
        }
    }
    std::ostringstream table;
    figures.print(table, full);
    std::cout << table.str();
}

// Without a fault: every file each operation writes is flushed before its
// rename, and its folder after.
TEST(CallOrder, EveryOperationFlushesEachFileBeforeItsRenameAndItsFolderAfter)
{
    TrialShop shop;
    for (const Operation& operation : operations()) {
        const std::vector<Call>& calls = shop.reference(operation).calls;
        EXPECT_GT(countOf(calls, "rename"), 0) << operation.name;
        EXPECT_EQ(orderProblems(calls), std::vector<std::string>()) << operation.name;
    }
}

} // namespace
} // namespace qs::faults
