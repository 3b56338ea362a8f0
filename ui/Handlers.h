#pragma once

#include "ui/ErrorReport.h"

#include <QObject>
#include <type_traits>

// Connects a user action to its handler, a member of `receiver` or a functor. An error the
// handler raises goes to the general error report instead of unwinding through the
// toolkit's signal delivery. A handler may take fewer arguments than the signal carries.
template <class Sender, class Signal, class Receiver, class R, class... Args>
QMetaObject::Connection connectHandler(Sender* sender, Signal signal, Receiver* receiver,
                                       R (Receiver::*handler)(Args...)) {
    return QObject::connect(sender, signal, receiver, [receiver, handler](Args... args) {
        guarded([&] { (receiver->*handler)(args...); });
    });
}

template <class Sender, class Signal, class Context, class Functor,
          std::enable_if_t<!std::is_member_function_pointer_v<Functor>, int> = 0>
QMetaObject::Connection connectHandler(Sender* sender, Signal signal, Context* context,
                                       Functor handler) {
    return QObject::connect(sender, signal, context, [handler] { guarded(handler); });
}
