// A competition's file: any bytes give a competition whole or a word on why not; what is
// taken is a competition the window could have made, reads back the same once written, and
// gives its results and its sheet.
#include "core/compe/competition.h"
#include "core/print/compeprintout.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const compe::Decoded d = compe::decode(bytes);
    if (d.competition.has_value() == (d.problem != compe::FileProblem::None))
        std::abort();
    if (!d.competition)
        return 0;
    const compe::Competition &c = *d.competition;
    if (!compe::competitionProblem(c).isEmpty())
        std::abort();
    const compe::Decoded again = compe::decode(compe::encode(c));
    if (!again.competition || !(*again.competition == c))
        std::abort();
    const compe::Results results = c.results();
    if (results.ok())
        printout::compeResultsPages(c, results, QSize(2500, 3600));
    return 0;
}
