// CGdiObject<T>: owns one GDI object of one handle kind (HBITMAP, HRGN, HFONT) or none, and deletes it
// when it is replaced or destroyed. Movable, not copyable; Handle() lends the handle, Detach() gives it
// away (for example to SetWindowRgn, after which the system owns the region).
#pragma once

#include <windows.h>

#include <utility>

template <typename T>
class CGdiObject {
public:
    CGdiObject() = default;
    [[nodiscard]] explicit CGdiObject(T owned) : m_handle(owned) {}
    ~CGdiObject() { Delete(); }

    CGdiObject(CGdiObject&& other) noexcept : m_handle(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            Attach(other.Detach());
        }
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Deletes the object held before, unless it is the same one.
    void Attach(T owned) {
        if (owned != m_handle) {
            Delete();
            m_handle = owned;
        }
    }
    [[nodiscard]] T Detach() { return std::exchange(m_handle, nullptr); }
    void Delete() {
        if (m_handle) {
            DeleteObject(m_handle);
            m_handle = nullptr;
        }
    }

    T Handle() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    T m_handle = nullptr;
};
