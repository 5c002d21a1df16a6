// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <stdexcept>
#include <string>

#include "platform/form.h"

namespace xmascard {

// Controls that share one name, told apart by an index; indices need not start at 0 or be
// contiguous.
template <class T>
class ControlArray {
  public:
    ControlArray(const Form& form, const std::string& name) {
        for (Control* c : form.Controls())
            if (c->Name() == name && c->Index() >= 0)
                if (T* typed = dynamic_cast<T*>(c)) elements_[c->Index()] = typed;
    }
    T& operator()(int index) const {
        auto it = elements_.find(index);
        if (it == elements_.end()) throw std::out_of_range("no control array element");
        return *it->second;
    }
    bool contains(int index) const { return elements_.count(index) != 0; }
    std::size_t size() const { return elements_.size(); }
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

  private:
    std::map<int, T*> elements_;
};

}  // namespace xmascard
