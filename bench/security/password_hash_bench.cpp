// Prints what one password hash costs at the program's iteration count, and
// the count that would cost 50 ms on this machine. The count follows today's
// guidance (at least 600.000), not this figure; login_bench shows what it
// costs a user.
//
//   password_hash_bench [RUNS]

#include "platform/security/PasswordHash.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    const QString stored = passwordhash::hash(QStringLiteral("κλειδί"));
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (!passwordhash::verify(QStringLiteral("κλειδί"), stored))
            return 1;
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("iterations: %d\n", passwordhash::DefaultIterations);
    std::printf("one verification: median %.1f ms (min %.1f, %d runs)\n", median, ms.front(), runs);
    std::printf("iterations for 50 ms here: %d\n", int(passwordhash::DefaultIterations * 50.0 / ms.front()));
    return 0;
}
