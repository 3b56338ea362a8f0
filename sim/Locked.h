#pragma once

#include <mutex>

// An object reached under its owner's lock, for as long as this handle lives. Returned by
// value, the handle of `owner.thing()->call()` lives to the end of the statement: the lock
// covers exactly that call. A handle kept in a variable holds the lock until it goes out of
// scope, which makes several calls one step for the thread on the other side.
template <class T, class Mutex> class Locked {
public:
    Locked(T& object, Mutex& mutex) : m_lock(mutex), m_object(&object) {}

    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }

private:
    std::unique_lock<Mutex> m_lock;
    T* m_object;
};
