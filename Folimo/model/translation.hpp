#pragma once

namespace folimo {

// Installs the program's English translation, which gives its counts their singular and
// plural forms ("1 page", "2 pages"), into the running application. Call once, after the
// application object is made: main() does, and so do the tests that read the texts.
void installTranslation();

} // namespace folimo
