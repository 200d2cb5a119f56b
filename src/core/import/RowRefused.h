#pragma once

#include <stdexcept>

namespace qs {

// A row the merge cannot add as it stands: its reason goes to the reject
// log, and the merge goes on with the next row.
class RowRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace qs
