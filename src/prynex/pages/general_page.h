#pragma once

#include "prynex/pages/property_page.h"

namespace prynex {

// "General": header, footer and the document's file name.
class GeneralPage : public PropertyPage
{
    Q_OBJECT
public:
    explicit GeneralPage(QWidget *parent = nullptr);
};

}  // namespace prynex
