#pragma once

#include "platform/pages/engine.h"

// The page every report starts from, and the colours the reports share.
namespace reports {

// RGB(222, 225, 225): the alternate-row shade of the report window.
constexpr pages::ColorRef RowShade = pages::rgb(222, 225, 225);

// Portrait A4, margins 350/850/450/850 twips (left, right, top, bottom), body
// "Arial greek" 10, page header "arial greek" 13. Call before StartDoc;
// reports change single settings afterwards.
void applyPageFrame(pages::Engine &engine);

// "Σελίδα %d": set on every page as it is prepared, so every page of every
// report carries its number.
void installPageFooter(pages::Engine &engine);

// The report window's initialisation of the engine: A4 at zoom 100.
void initialiseEngine(pages::Engine &engine);

} // namespace reports
