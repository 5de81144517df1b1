// The binding table of every platform object and the raising of its events.
#include <cstring>

#include "shell/platform/w_events.h"

bool WObject::Bind(WEventId event, WEventHandler handler) {
    if (bindingCount_ == MaxBindings || handler.function == nullptr) {
        return false;
    }
    bindings_[bindingCount_++] = Binding{event, handler, nextSerial_++};
    if (nextSerial_ == 0) {
        nextSerial_ = 1;  // 0 never names a binding
    }
    return true;
}

bool WObject::Unbind(WEventId event, WEventHandler handler) {
    for (int i = bindingCount_ - 1; i >= 0; --i) {
        if (bindings_[i].event == event && bindings_[i].handler == handler) {
            for (int j = i; j + 1 < bindingCount_; ++j) {
                bindings_[j] = bindings_[j + 1];
            }
            --bindingCount_;
            bindings_[bindingCount_] = Binding{};
            return true;
        }
    }
    return false;
}

bool WObject::Raise(WEventId event, WEventData* data) {
    // The handlers bound when the raise begins, newest first. A handler may bind or unbind
    // while it runs: one bound now waits for the next raise, and one unbound now is skipped.
    uint32_t serials[MaxBindings];
    WEventHandler handlers[MaxBindings];
    int count = 0;
    for (int i = bindingCount_ - 1; i >= 0; --i) {
        if (bindings_[i].event == event) {
            serials[count] = bindings_[i].serial;
            handlers[count] = bindings_[i].handler;
            ++count;
        }
    }
    for (int k = 0; k < count; ++k) {
        bool stillBound = false;
        for (int i = 0; i < bindingCount_ && !stillBound; ++i) {
            stillBound = bindings_[i].serial == serials[k];
        }
        if (!stillBound) {
            continue;
        }
        if (handlers[k].function(handlers[k].receiver, this, data)) {
            return true;
        }
    }
    return false;
}

bool WObject::HasHandler(WEventId event) const {
    for (int i = 0; i < bindingCount_; ++i) {
        if (bindings_[i].event == event) {
            return true;
        }
    }
    return false;
}

void WObject::SetName(const char* name) {
    if (name == nullptr) {
        name = "";
    }
    const size_t length = std::strlen(name);
    const size_t keep = length < sizeof name_ - 1 ? length : sizeof name_ - 1;
    std::memcpy(name_, name, keep);
    name_[keep] = '\0';
}
