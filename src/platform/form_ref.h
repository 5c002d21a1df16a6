// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>

#include "platform/form.h"
#include "platform/runtime.h"

namespace xmascard {

// The one instance of a window, created on first reference: referring to it creates the
// window with its design-time controls and runs its load handler before anything else.
// Unloading discards it; the next reference creates it afresh.
template <class T>
class FormRef {
  public:
    using Factory = std::function<std::unique_ptr<T>()>;
    explicit FormRef(Factory factory) : factory_(std::move(factory)) {}
    ~FormRef() = default;
    FormRef(const FormRef&) = delete;
    FormRef& operator=(const FormRef&) = delete;

    T& get() {
        if (!form_) load();
        return *form_;
    }
    T* operator->() { return &get(); }
    T& operator*() { return get(); }
    bool loaded() const { return form_ != nullptr; }

    // The window disappears at once; it is destroyed when the current event is over.
    void unload() {
        if (!form_) return;
        form_->Hide();
        Runtime& runtime = form_->runtime();
        runtime.retire(std::move(form_));
        runtime.requestSweep();
    }

  private:
    void load() {
        form_ = factory_();
        form_->onUnload = [this] { unload(); };
        form_->Form_Load();
    }

    Factory factory_;
    std::unique_ptr<T> form_;
};

// Unloads a window through the reference that holds it.
inline void Unload(Form& form) {
    if (form.onUnload) form.onUnload();
}

}  // namespace xmascard
