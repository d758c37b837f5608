#pragma once
// Shared by every test program: registration of test classes, so one
// program per folder runs them all, and small helpers for driving forms.
#include <QCoreApplication>
#include <QHash>
#include <QObject>
#include <QLocale>
#include <QProcess>
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

// Programs that a test runs in a process of its own, for what would end
// the test program too (the program's real ending): "-child NAME ARGS" given
// to the test program runs the one registered as NAME with ARGS, in place
// of the tests, and its result is the exit status.
using ChildProgram = std::function<int(const QStringList& args)>;
inline QHash<QString, ChildProgram>& childPrograms()
{
    static QHash<QString, ChildProgram> all;
    return all;
}

// Runs the child program NAME with ARGS in a new process of this test
// program; its exit status, or -1 when it crashed or ran over a minute.
inline int runChild(const QString& name, const QStringList& args)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("-child"), name} + args);
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        return -1;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
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

#define ORVALIS_CHILD(name, program) \
    [[maybe_unused]] static const bool registered_child_##name = \
        (testing::childPrograms().insert(QStringLiteral(#name), program), true);
