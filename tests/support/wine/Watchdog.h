#pragma once
// The test program's watchdog ends a test that runs past its limit, taking it
// for hung. A test whose work is long by design (many programs started one
// after another) says here that it still makes progress.

namespace tw::test {

// The running test's time starts again from now.
void TestMakesProgress();

}  // namespace tw::test
