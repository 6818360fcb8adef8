#include "xml/element.h"

#include <utility>

ElementRef ElementRef::adopt(Element* e) {
    ElementRef handle;
    handle.element_ = e;
    return handle;
}

ElementRef::ElementRef(const ElementRef& other) : element_(other.element_) {
    if (element_ != nullptr) {
        ++element_->references;
    }
}

ElementRef& ElementRef::operator=(const ElementRef& other) {
    if (this == &other || other.element_ == element_) {
        return *this;
    }
    // Take the new reference first: other may live inside the tree the old target holds.
    Element* const old = element_;
    element_ = other.element_;
    if (element_ != nullptr) {
        ++element_->references;
    }
    release_element(old);
    return *this;
}

ElementRef::ElementRef(ElementRef&& other) noexcept : element_(std::exchange(other.element_, nullptr)) {}

ElementRef& ElementRef::operator=(ElementRef&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    Element* const old = std::exchange(element_, std::exchange(other.element_, nullptr));
    release_element(old);
    return *this;
}

ElementRef::~ElementRef() {
    release_element(element_);
}

Element* ElementRef::release_ownership() {
    return std::exchange(element_, nullptr);
}
