#pragma once

#include "ui/ErrorReport.h"
#include "ui/OperationGate.h"

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

// Connects a user action to a handler that works with the instrument or the files of an
// operation: the handler runs inside the gate, and an action that finds the gate taken
// (another operation, or an exchange waiting for its reply) is ignored. The gate is left
// before an error reaches the general error report, as the handler's own steps are.
template <class Sender, class Signal, class Receiver, class R, class... Args>
QMetaObject::Connection connectOperation(Sender* sender, Signal signal, Receiver* receiver,
                                         R (Receiver::*handler)(Args...), OperationGate& gate) {
    return QObject::connect(sender, signal, receiver, [receiver, handler, &gate](Args... args) {
        guarded([&] {
            const auto entered = gate.tryEnter();
            if (entered)
                (receiver->*handler)(args...);
        });
    });
}
