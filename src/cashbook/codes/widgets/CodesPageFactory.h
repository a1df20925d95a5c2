#pragma once

#include "shell/contracts/Pages.h"

#include <memory>

class QWidget;

// Builds the codes page (tab 2) for PageFactories::codes. The returned object
// does not own the widget: it belongs to `parent` as usual.
std::unique_ptr<CodesPage> makeCodesPage(PageContext &context, QWidget *parent);
