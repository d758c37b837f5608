#pragma once
// The unit table of the current generic category or custom set.
#include <QString>
#include <array>
#include <stdexcept>

namespace LOADDATA {

// Thirteen slots, numbered 1 to 13; any other number is an error.
template <class T>
class Slots {
public:
    explicit Slots(const T& initial) { values_.fill(initial); }
    T& operator()(int k) { return values_.at(check(k)); }
    const T& operator()(int k) const { return values_.at(check(k)); }
    static constexpr int First = 1;
    static constexpr int Last = 13;

private:
    static std::size_t check(int k)
    {
        if (k < First || k > Last)
            throw std::out_of_range("unit table slot out of range");
        return std::size_t(k - First);
    }
    std::array<T, 13> values_;
};

// Unit names (empty: no unit in that slot) and their sizes in the
// category's base unit. Until a category is loaded every factor is 0.
inline Slots<QString> UnitName{QString()};
inline Slots<double> UnitFactor{0.0};

// The current category: a catalogue name, or "User1Factors" to
// "User6Factors" for a custom set.
inline QString CategoryName;
inline QString CategoryNote1;
inline QString CategoryNote2;

} // namespace LOADDATA
