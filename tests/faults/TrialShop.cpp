#include "TrialShop.h"

#include "core/text/NameValueList.h"

#include <fstream>
#include <stdexcept>

namespace qs::faults {
namespace fs = std::filesystem;

namespace {

// A merchant's stock list, a heading row and three products.
const std::string stockCsv = "Name,Price,Weight,Description,Category,Sub-category,VAT\r\n"
                             "Racer,12.50,0.4,\"Fast,\r\nand red\",Toys,Cars,1\r\n"
                             "\"Spade, small\",1250.00,2,,Garden,Tools,1\r\n"
                             "Kite,9,0.2,High,Toys,,2\r\n";
const std::string stockSff = "\tProduct Name\tPrice\tWeight\tDescription\tCategory\tCategory\tTax Code\r\n";

// Rows enough for a catalogue file of more than one write buffer (1 MiB).
std::string bigTable()
{
    std::string table = "Name,Price,Weight,Description,Category,Sub-category,VAT\r\n";
    for (int row = 0; row < 9000; ++row) {
        const std::string n = std::to_string(row);
        table += "Item " + n + "," + std::to_string(row % 97) + ".25,0." + std::to_string(row % 9 + 1) +
                 ",A sturdy thing of the kind every shop stocks - number " + n + ",Range " +
                 std::to_string(row % 7) + ",Line " + std::to_string(row % 13) + ",1\r\n";
    }
    return table;
}

void write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

void copyContents(const fs::path& from, const fs::path& to)
{
    for (const auto& entry : fs::directory_iterator(from))
        fs::copy(entry.path(), to / entry.path().filename(),
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

} // namespace

TrialShop::TrialShop()
    : trial_((base_.path() / "trial").string()), template_((base_.path() / "shop").string()),
      log_(base_.file("calls.log"))
{
    fs::create_directories(trial_);
    fs::copy(QUAYSTALL_SHARE_PROGRAM, trial_ + "/program", fs::copy_options::recursive);
    write(trial_ + "/tables/stock.csv", stockCsv);
    write(trial_ + "/tables/stock.sff", stockSff);
    write(base_.file("big.csv"), bigTable());
    write(base_.file("big.sff"), stockSff);
    const auto made = [&](const std::vector<std::string>& arguments) {
        const ChildOutcome outcome = runCommand(cliCommand(trial_, arguments), {});
        if (outcome.status != 0)
            throw std::runtime_error("The trial shop could not be made: " + outcome.err);
    };
    made({"new-shop", shopName});
    made({"import", shopName, base_.file("big.csv"), "--skip-rows", "1"});
    // Without mail addresses the export would stop before building anything.
    const std::string settings = trial_ + "/program/Apache/cgi-bin/qstldb/" + shopName + "-cgi/qstl2.cfg";
    NameValueList values = NameValueList::fromFile(settings);
    values.setValue("sales_email", "sales@quay.test");
    values.setValue("tech_email", "tech@quay.test");
    values.saveToFile(settings);

    fs::create_directories(template_);
    copyContents(trial_, template_);
    before_ = snapshotOf(trial_);
}

void TrialShop::reset()
{
    for (const auto& entry : fs::directory_iterator(trial_))
        fs::remove_all(entry.path());
    copyContents(template_, trial_);
}

ChildOutcome TrialShop::runCommand(const std::vector<std::string>& command, const Environment& environment)
{
    return runChild(command, environment, base_.file("err"));
}

ChildOutcome TrialShop::run(const Operation& operation, const std::string& kind, long at, int error)
{
    fs::remove(log_);
    return runCommand(operation.commandIn(trial_), {{"QS_FAULT_FOLDER", trial_},
                                                    {"QS_FAULT_CALL", kind},
                                                    {"QS_FAULT_AT", std::to_string(at)},
                                                    {"QS_FAULT_ERRNO", std::to_string(error)},
                                                    {"QS_FAULT_LOG", log_}});
}

const TrialShop::Reference& TrialShop::reference(const Operation& operation)
{
    auto found = references_.find(operation.name);
    if (found != references_.end())
        return found->second;
    reset();
    const ChildOutcome outcome = run(operation);
    if (outcome.status != 0)
        throw std::runtime_error(operation.name + " fails without a fault: " + outcome.err);
    Reference reference{snapshotOf(trial_), calls()};
    if (reference.after == before_)
        throw std::runtime_error(operation.name + " changes no file of the shop");
    return references_.emplace(operation.name, std::move(reference)).first->second;
}

std::vector<std::string> TrialShop::differencesFromReference(const Operation& operation, const Snapshot& now)
{
    std::vector<std::string> problems;
    // Neither as the reference left it nor as the reference left it.
    const Snapshot& after = references_.at(operation.name).after;
    for (const std::string& path : tornFiles(after, after, now))
        problems.push_back(path + " differs from what the operation writes without a fault");
    return problems;
}

std::vector<std::string> TrialShop::failedTryProblems(const Operation& operation, const ChildOutcome& outcome,
                                                      std::string_view message,
                                                      const std::function<void()>& makeRoom)
{
    std::vector<std::string> problems;
    if (outcome.status == 0)
        problems.push_back("success was reported");
    else if (outcome.status != 1)
        problems.push_back("the operation crashed");
    if (outcome.err.find(message) == std::string::npos)
        problems.push_back("\"" + std::string(message) + "\" was not told; told: " + outcome.err);
    if (makeRoom)
        makeRoom();
    const Snapshot now = snapshotOf(trial_);
    const Snapshot& after = references_.at(operation.name).after;
    const std::string& partBuilt = operation.partBuiltFolder;
    const auto inPartBuilt = [&](const std::string& path) {
        return !partBuilt.empty() && path.starts_with(partBuilt + "/");
    };
    const auto changedOutsidePartBuilt = [&](const Snapshot& from) {
        std::vector<std::string> changed = changedFiles(from, now);
        std::erase_if(changed, inPartBuilt);
        return changed;
    };
    // All as before, or, where a part-built folder may follow the save, all as after.
    if (partBuilt.empty() || !changedOutsidePartBuilt(after).empty())
        for (const std::string& path : changedOutsidePartBuilt(before_))
            problems.push_back(path + " is no longer as before the operation, which failed");
    for (const std::string& path : tornFiles(before_, after, now))
        if (inPartBuilt(path))
            problems.push_back(path + " is torn: neither as before nor as after");
    for (const std::string& path : temporariesIn(now))
        problems.push_back("temporary file left: " + path);

    const ChildOutcome retry = run(operation);
    if (retry.status != 0)
        problems.push_back("the next try failed: " + retry.err);
    const Snapshot retried = snapshotOf(trial_);
    for (const std::string& path : temporariesIn(retried))
        problems.push_back("temporary file left by the next try: " + path);
    for (const std::string& difference : differencesFromReference(operation, retried))
        problems.push_back("after the next try, " + difference);
    return problems;
}

std::vector<std::string> TrialShop::completedProblems(const Operation& operation, const ChildOutcome& outcome)
{
    std::vector<std::string> problems;
    if (outcome.status != 0)
        problems.push_back("the operation failed without a fault: " + outcome.err);
    const Snapshot now = snapshotOf(trial_);
    for (const std::string& path : temporariesIn(now))
        problems.push_back("temporary file left: " + path);
    for (const std::string& difference : differencesFromReference(operation, now))
        problems.push_back(difference);
    return problems;
}

} // namespace qs::faults
