#pragma once

namespace arkona::app {

// The busy cursor of the whole application. On and off do not nest: one call of off after any
// number of calls of on gives the normal cursor back.
void SetBusyCursor(bool on);
bool busyCursorShown();

// Busy for the lifetime of the object, restoring the state it found.
class BusyCursor {
public:
    BusyCursor() : was_(busyCursorShown()) { SetBusyCursor(true); }
    ~BusyCursor() { SetBusyCursor(was_); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool was_;
};

} // namespace arkona::app
