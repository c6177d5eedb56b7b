#pragma once

#include <QString>

namespace award {

// A reading's result that holds no text, only why it was refused: for the
// result types that carry a `Refusal` and a `why` for the user.
template <typename Result>
Result Refused(typename Result::Refusal refusal, const QString& why) {
    Result refused;
    refused.refusal = refusal;
    refused.why = why;
    return refused;
}

}  // namespace award
