// Events: every platform object can raise named events, and handlers bound to them answer
// whether they handled the event.
#pragma once

#include <cstdint>

class WObject;

// The events that objects of this program raise.
enum class WEventId : uint8_t {
    Create,   // a window is being made (raised while it is made)
    Close,    // a close request (close box, system menu, Alt+F4, RequestClose)
    Destroy,  // a window is being destroyed (raised while it is destroyed)
    KeyDown,  // WKeyEventData
    KeyUp,    // WKeyEventData
    Paint,    // WPaintEventData, raised between the platform's begin and end of painting
    Timer,    // a WTimer's tick
    Click,    // a menu item chosen (menu, accelerator) or a command button pressed
    Start,    // application start, WStartEventData
    Run,      // application run
    End,      // application end
};

struct WEventData {};

struct WKeyEventData : WEventData {
    uint32_t virtualKey = 0;  // Windows virtual-key code of the key
    bool autoRepeat = false;  // a repeated key-down while the key is held
};

struct WPaintEventData : WEventData {};

struct WStartEventData : WEventData {
    int32_t exitCode = 0;  // preset to a successful start
    bool abort = false;    // set by a handler to skip the run
};

// A handler: a receiver object and a function that calls one of its member functions.
using WHandlerFunction = bool (*)(void* receiver, WObject* source, WEventData* data);

struct WEventHandler {
    void* receiver = nullptr;
    WHandlerFunction function = nullptr;
    bool operator==(const WEventHandler&) const = default;
};

template <class Receiver, bool (Receiver::*Method)(WObject*, WEventData*)>
bool WHandlerThunk(void* receiver, WObject* source, WEventData* data) {
    return (static_cast<Receiver*>(receiver)->*Method)(source, data);
}

// WHandler<&Form1::OnCreate>(this): a handler calling OnCreate on this object.
template <auto Method, class Receiver>
WEventHandler WHandler(Receiver* receiver) {
    return WEventHandler{receiver, &WHandlerThunk<Receiver, Method>};
}

// The base of every platform object that raises events. Bindings live in a fixed table.
class WObject {
  public:
    WObject() = default;
    WObject(const WObject&) = delete;
    WObject& operator=(const WObject&) = delete;
    virtual ~WObject() = default;

    // Binds a handler; answers false when the table is full.
    bool Bind(WEventId event, WEventHandler handler);
    // Removes the most recent binding of exactly this handler to this event.
    bool Unbind(WEventId event, WEventHandler handler);
    // Calls the handlers of the event, the one bound last first, until one answers true.
    // A handler unbound by an earlier handler of the same raise is not called. Answers
    // whether a handler answered true (the event is handled: skip default processing).
    bool Raise(WEventId event, WEventData* data);
    // Whether any handler is bound to the event.
    bool HasHandler(WEventId event) const;

    // The platform name of the object (an identifier, never shown).
    void SetName(const char* name);
    const char* Name() const { return name_; }

    static constexpr int MaxBindings = 16;

  private:
    struct Binding {
        WEventId event;
        WEventHandler handler;
        uint32_t serial;  // tells two bindings of the same handler apart during a raise
    };
    Binding bindings_[MaxBindings]{};
    int bindingCount_ = 0;
    uint32_t nextSerial_ = 1;
    char name_[32]{};
};
