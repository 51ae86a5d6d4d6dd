#pragma once

#include <QApplication>
#include <QTest>

#include <unistd.h>

// Test functions that need what a test machine may lack (root, for network namespaces). ctest runs
// them as an entry of their own, NAME_root, named in the source's "// Root-only:" line, and the main
// entry leaves them to it. Skipped for lack of root, the program ends with status 77, which that
// entry reports as skipped instead of passed. Such a program ends with ZQ_TEST_MAIN_WITH_SKIPS.
namespace environmentskip {

inline bool skipped = false;

// The exit status 77 when the run passed but something was skipped for lack of root or tools.
inline int exitCode(int result)
{
    return result == 0 && skipped ? 77 : result;
}

} // namespace environmentskip

// Skips the rest of this function and marks the run as skipped for ctest.
#define ZQ_SKIP_FOR_ENVIRONMENT(reason)                                                            \
    do {                                                                                           \
        environmentskip::skipped = true;                                                           \
        QSKIP(reason);                                                                             \
    } while (false)

// At the top of a root-only test function.
#define ZQ_REQUIRE_ROOT()                                                                          \
    do {                                                                                           \
        if (::geteuid() != 0)                                                                      \
            ZQ_SKIP_FOR_ENVIRONMENT("needs root; run the suite as root to include it");              \
    } while (false)

#define ZQ_TEST_MAIN_WITH_SKIPS(TestObject)                                                        \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication application(argc, argv);                                                      \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                           \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return environmentskip::exitCode(QTest::qExec(&test, argc, argv));                         \
    }
