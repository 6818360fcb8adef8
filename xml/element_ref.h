// A counted handle to one Element, or to nothing.
#pragma once

struct Element;

class ElementRef {
  public:
    ElementRef() = default;
    static ElementRef adopt(Element* e); // takes over one existing reference
    ElementRef(const ElementRef& other);
    ElementRef& operator=(const ElementRef& other);
    ElementRef(ElementRef&& other) noexcept;
    ElementRef& operator=(ElementRef&& other) noexcept;
    ~ElementRef();

    Element* get() const { return element_; }
    Element* operator->() const { return element_; }
    explicit operator bool() const { return element_ != nullptr; }

    // Gives up the handle's reference without releasing it.
    Element* release_ownership();

  private:
    Element* element_ = nullptr;
};
