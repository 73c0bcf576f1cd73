#pragma once
// The wait cursor: long operations show it for as long as a WaitCursor guard lives, on every
// way out of them. Guards nest.

namespace kiv {

class Cursors {
public:
    virtual ~Cursors() = default;
    virtual void beginWait() = 0;
    virtual void endWait() = 0;
};

class WaitCursor {
public:
    explicit WaitCursor(Cursors& cursors) : cursors_(cursors) { cursors_.beginWait(); }
    ~WaitCursor() { cursors_.endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Cursors& cursors_;
};

} // namespace kiv
