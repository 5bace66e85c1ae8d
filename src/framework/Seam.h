#pragma once

// One replaceable service of the program (messages, clock, processes, ...).
// Production code asks Seam<T>::get(); tests install their own instance for a
// scope. The fallback is the production implementation, defined beside T.
template <class T>
class Seam
{
public:
    static T &get() { return current() ? *current() : fallback(); }
    static T *install(T *service)
    {
        T *previous = current();
        current() = service;
        return previous;
    }

private:
    static T *&current()
    {
        static T *service = nullptr;
        return service;
    }
    static T &fallback();
};

// Installs a service for the lifetime of the object and restores the one that
// was in force before.
template <class T>
class ScopedSeam
{
public:
    explicit ScopedSeam(T &service) : previous_(Seam<T>::install(&service)) {}
    ~ScopedSeam() { Seam<T>::install(previous_); }
    ScopedSeam(const ScopedSeam &) = delete;
    ScopedSeam &operator=(const ScopedSeam &) = delete;

private:
    T *previous_;
};
