// The side files (the handicap's and the play details): any bytes give the entries that hold and a word on the rest, and
// what is taken is written and read back the same.
#include "core/data/carddetails.h"
#include "core/data/ratingstore.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString problem;
    const ratings::RatingsData rounds = ratings::decodeRatings(bytes, &problem);
    problem.clear();
    const ratings::RatingsData again = ratings::decodeRatings(ratings::encodeRatings(rounds), &problem);
    if (!problem.isEmpty() || again.rounds != rounds.rounds || again.remembered != rounds.remembered)
        std::abort();
    const ratings::HoleHandicapMap holes = ratings::decodeHoleHandicaps(bytes, &problem);
    problem.clear();
    if (ratings::decodeHoleHandicaps(ratings::encodeHoleHandicaps(holes), &problem) != holes
        || !problem.isEmpty())
        std::abort();
    const details::DetailsMap played = details::decodeDetails(bytes, &problem);
    problem.clear();
    if (details::decodeDetails(details::encodeDetails(played), &problem) != played
        || !problem.isEmpty())
        std::abort();
    return 0;
}
