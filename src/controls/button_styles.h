// Which styles the library gives the check boxes and radio buttons it makes.
#pragma once

namespace tsumiki {

namespace detail {

// True after UseStandardButtonStyles(true): text on the right, a click that checks.
bool StandardButtonStyles();

}  // namespace detail

}  // namespace tsumiki
