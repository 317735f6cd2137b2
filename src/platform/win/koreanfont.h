#pragma once

#include <QString>

// The forms name their Korean faces by their Windows names (굴림체, 굴림, GulimChe); here
// NanumGothicCoding stands in for all three.
namespace KoreanFont {

// "굴림체", the fixed-pitch face of the forms.
QString fixedFace();

// Maps the Windows names to the stand-in, once per process; every window that asks for one of the
// faces calls it first.
void installSubstitutes();

} // namespace KoreanFont
