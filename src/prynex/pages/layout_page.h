#pragma once

#include "prynex/pages/property_page.h"

namespace prynex {

// "LayOut": page layout and preview behaviour, in two columns.
class LayOutPage : public PropertyPage
{
    Q_OBJECT
public:
    explicit LayOutPage(QWidget *parent = nullptr);
};

}  // namespace prynex
