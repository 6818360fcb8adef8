// The texts a list box shows for a list of the document, in list order.
#pragma once

#include <vector>

#include "model/document.h"

std::vector<const char*> entry_texts(const Paragraph* first);
std::vector<const char*> entry_texts(const TextList& list);
