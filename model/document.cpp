#include "model/document.h"

Document::~Document() {
    paragraph_list_clear(*this);
}
