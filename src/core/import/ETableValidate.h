#pragma once

#include <stdexcept>

namespace qs {

// The column check failed: a field that needs a column has none, and the
// merchant went back to the importer to give it one.
class ETableValidate : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EMissingMandatoryField : public ETableValidate {
public:
    using ETableValidate::ETableValidate;
};

class EMissingRecommendedField : public ETableValidate {
public:
    using ETableValidate::ETableValidate;
};

} // namespace qs
