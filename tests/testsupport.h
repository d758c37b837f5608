#pragma once
// Shared by every test program: registration of test classes, so one
// program per folder runs them all, and small helpers for driving forms.
#include <QObject>
#include <QLocale>
#include <QtTest>
#include <functional>
#include <vector>

namespace testing {

struct Registration {
    const char* name;
    std::function<QObject*()> make;
};

// Every test class of this program, in the order registered.
inline std::vector<Registration>& registry()
{
    static std::vector<Registration> all;
    return all;
}

// Sets the locale that number text follows for the rest of the test
// ("C" or "de_DE").
inline void useLocale(const char* name)
{
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
}

// Whether calling f throws an exception of type E.
template <class E, class F>
bool throws(F&& f)
{
    try {
        f();
    } catch (const E&) {
        return true;
    } catch (...) {
        return false;
    }
    return false;
}

} // namespace testing

#define ORVALIS_TEST(Class) \
    [[maybe_unused]] static const bool registered_##Class = \
        (testing::registry().push_back({#Class, [] { return new Class; }}), true);
