#pragma once
// The common shape of every criteria class: copy from a like object, back to
// defaults, and a Matches of its own (not virtual: each takes other inputs).

#include <stdexcept>
#include <typeinfo>

namespace engine {

// Raised by Assign when the source is of another class; nothing is changed.
class EAssignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCustomCriteria {
public:
    virtual ~TCustomCriteria() = default;
    virtual void Assign(const TCustomCriteria &source) = 0;
    virtual void Clear() = 0;

protected:
    // The source as the caller's own class, or EAssignError.
    template <class T>
    static const T &SourceAs(const TCustomCriteria &source, const char *targetName)
    {
        if (const auto *typed = dynamic_cast<const T *>(&source))
            return *typed;
        throw EAssignError(std::string("Cannot assign a ") + typeid(source).name() + " to a "
                           + targetName);
    }
};

} // namespace engine
