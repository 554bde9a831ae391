#pragma once

// Typed access to a method's decoded inputs. The codec has already checked the count and
// the kinds against the operation's signature, so a mismatch here is a fault of the method
// table; it still answers with an error instead of crashing.

#include "protocol/expected.h"
#include "protocol/value.h"

#include <QString>

#include <cmath>
#include <vector>

namespace Methods {

using Inputs = std::vector<Protocol::Value>;
using Outputs = Protocol::Expected<std::vector<Protocol::Value>>;

template<typename T> const T *inputAt(const Inputs &inputs, std::size_t index)
{
    return index < inputs.size() ? std::get_if<T>(&inputs[index]) : nullptr;
}

inline qint32 intAt(const Inputs &inputs, std::size_t index)
{
    const qint32 *value = inputAt<qint32>(inputs, index);
    return value ? *value : 0;
}

inline QString textAt(const Inputs &inputs, std::size_t index)
{
    const QString *value = inputAt<QString>(inputs, index);
    return value ? *value : QString();
}

// NaN when the input is missing, so every range check refuses it.
inline double doubleAt(const Inputs &inputs, std::size_t index)
{
    const double *value = inputAt<double>(inputs, index);
    return value ? *value : std::nan("");
}

inline Outputs answer(Protocol::Value value)
{
    std::vector<Protocol::Value> out;
    out.push_back(std::move(value));
    return out;
}

// A stream result: the announced size as the out parameter, then the bytes.
inline Outputs streamAnswer(const QByteArray &bytes)
{
    std::vector<Protocol::Value> out;
    out.emplace_back(qint64(bytes.size()));
    out.emplace_back(Protocol::Stream{qint64(bytes.size()), bytes});
    return out;
}

} // namespace Methods
