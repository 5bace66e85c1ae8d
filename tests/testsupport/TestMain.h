#pragma once

#include <QObject>

#include <functional>

// One test executable per folder holds several test classes; each registers
// itself with REMETIX_TEST(Class) and the shared main runs them all.
namespace TestMain {
void add(const char *name, std::function<QObject *()> make);
int runAll(int argc, char *argv[]);
}

#define REMETIX_TEST(Class)                                                              \
    namespace {                                                                          \
    const bool registered_##Class = (TestMain::add(#Class, [] { return new Class; }), true); \
    }
