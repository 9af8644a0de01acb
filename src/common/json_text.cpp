#include "common/json_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "common/encoding.h"
#include "common/number_text.h"

namespace vx {
namespace {

// nlohmann replaces a cut-short UTF-8 sequence by one U+FFFD; we replace each
// of its bytes, as outputs recorded before have it, so the text it escapes is
// always valid already.
template <class Json>
void AppendEscaped(std::string& out, std::string_view bytes) {
    out += Json(ToValidUtf8(bytes)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

template <class Int>
void AppendInteger(std::string& out, Int v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

template <class Json>
void Append(std::string& out, const Json& v, bool closeObject) {
    using Type = typename Json::value_t;
    switch (v.type()) {
        case Type::object: {
            out += '{';
            bool first = true;
            for (auto it = v.begin(); it != v.end(); ++it) {
                if (!first) out += ',';
                first = false;
                AppendEscaped<Json>(out, it.key());
                out += ':';
                Append(out, it.value(), true);
            }
            if (closeObject) out += '}';
            return;
        }
        case Type::array: {
            out += '[';
            bool first = true;
            for (const Json& e : v) {
                if (!first) out += ',';
                first = false;
                Append(out, e, true);
            }
            out += ']';
            return;
        }
        case Type::string: {
            const auto& s = v.template get_ref<const typename Json::string_t&>();
            if (IsValidUtf8(s))
                out += v.dump(-1, ' ', false, Json::error_handler_t::replace);
            else
                AppendEscaped<Json>(out, s);
            return;
        }
        case Type::number_float:
            AppendJsonNumber(out, v.template get<double>());
            return;
        case Type::number_integer:
            AppendInteger(out, v.template get<std::int64_t>());
            return;
        case Type::number_unsigned:
            AppendInteger(out, v.template get<std::uint64_t>());
            return;
        case Type::boolean:
            out += v.template get<bool>() ? "true" : "false";
            return;
        case Type::binary:
            out += v.dump();
            return;
        case Type::null:
        case Type::discarded:
            out += "null";
            return;
    }
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view bytes) {
    AppendEscaped<nlohmann::json>(out, bytes);
}

void AppendJsonNumber(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    out += ShortestText(v);
}

void AppendJson(std::string& out, const nlohmann::ordered_json& value) { Append(out, value, true); }
void AppendJson(std::string& out, const nlohmann::json& value) { Append(out, value, true); }

void AppendJsonObjectOpen(std::string& out, const nlohmann::ordered_json& object) {
    if (object.is_object())
        Append(out, object, false);
    else
        out += '{';
}

}  // namespace vx
