#pragma once

// Switches the whole program between its standard look and the flat one. The look is the
// application's style, so every window follows it, those made before and those made after,
// the library's windows as well as the frame's. The frame and the library each carry this code;
// they agree through the application object, not through any state of their own.
namespace tavik::flatpaint {

// The flat look on ("Interfejs" 1) or the standard look back; nothing when already so.
void applyFlatLook(bool flat);

// Whether the application is drawn flat now.
bool flatLookOn();

// The standard look back when the flat one was made by this copy of the code: a library that is
// about to be unloaded must not leave the application a style whose code goes with it.
void releaseFlatLookMadeHere();

}  // namespace tavik::flatpaint
