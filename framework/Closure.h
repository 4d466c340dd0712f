#pragma once
// An event handler that is an object and one of its member functions, like a method
// pointer: two closures compare equal when they name the same object and the same
// member, so a list of handlers can find and remove one. A closure may also wrap a plain
// callable; such a closure equals only its copies.

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <typeinfo>

template <class Signature> class TClosure;

template <class R, class... A> class TClosure<R(A...)> {
public:
    TClosure() = default;
    TClosure(std::nullptr_t) {}

    template <class T> TClosure(T* object, R (T::*member)(A...)) : object_(object) {
        static_assert(sizeof(member) <= sizeof(Key), "member pointer too large");
        std::memcpy(member_.data(), &member, sizeof(member));
        type_ = &typeid(T);
        call_ = [object, member](A... args) -> R { return (object->*member)(args...); };
    }

    // A plain callable; identity is the wrapper itself.
    template <class F>
    requires std::is_invocable_r_v<R, F, A...> &&
        (!std::is_same_v<std::decay_t<F>, TClosure>)explicit TClosure(F f)
        : call_(std::move(f)) {
        tag_ = std::make_shared<int>(0);
        object_ = tag_.get();
    }

    explicit operator bool() const { return static_cast<bool>(call_); }
    R operator()(A... args) const { return call_(args...); }

    // The object part (the "data" of a method pointer); null for an empty closure.
    void* Data() const { return object_; }

    friend bool operator==(const TClosure& a, const TClosure& b) {
        if (!a.call_ || !b.call_) return !a.call_ && !b.call_;
        return a.object_ == b.object_ && a.type_ == b.type_ && a.member_ == b.member_;
    }

private:
    using Key = std::array<unsigned char, 2 * sizeof(void*)>;
    void* object_ = nullptr;
    const std::type_info* type_ = nullptr;
    Key member_{};
    std::shared_ptr<int> tag_;
    std::function<R(A...)> call_;
};
