#include "facts/wmi_record.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Form = WmiField::Form;

WmiValue::Kind kindOf(Form form) {
    switch (form) {
        case Form::Integer:
            return WmiValue::Kind::Integer;
        case Form::Boolean:
            return WmiValue::Kind::Boolean;
        case Form::Text:
        case Form::Time:
        case Form::Count:
            break;
    }
    return WmiValue::Kind::Text;
}

const char* kindName(WmiValue::Kind kind) {
    switch (kind) {
        case WmiValue::Kind::Text:
            return "text";
        case WmiValue::Kind::Integer:
            return "číslo";
        case WmiValue::Kind::Boolean:
            return "logická hodnota";
        case WmiValue::Kind::Null:
            break;
    }
    return "null";
}

bool digitsOnly(const std::string& text) {
    if (text.empty() || text.size() > 20) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

void put(Json& object, const WmiField& field, const WmiValue& value) {
    switch (field.form) {
        case Form::Text:
            object[field.key] = value.text;
            return;
        case Form::Integer:
            object[field.key] = value.integer;
            return;
        case Form::Boolean:
            object[field.key] = value.boolean;
            return;
        case Form::Time:
            if (auto iso = isoFromCim(value.text)) {
                object[field.key] = *iso;
            } else {
                unread(object, field.key, "Nečekaný tvar času: " + value.text);
            }
            return;
        case Form::Count:
            errno = 0;
            if (unsigned long long n = std::strtoull(value.text.c_str(), nullptr, 10);
                digitsOnly(value.text) && errno == 0) {
                object[field.key] = n;
            } else {
                unread(object, field.key, "Nečekaný tvar čísla: " + value.text);
            }
            return;
    }
}

void unreadAll(Json& object, std::span<const WmiField> fields, const std::string& reason) {
    for (const WmiField& field : fields) unread(object, field.key, reason);
}

// The class's instances as they arrive, or the reason the listing failed.
std::optional<std::string> forEachOf(WmiSession& session, const std::string& className,
                                     const std::function<bool(WmiObject&)>& each) {
    if (!session.ok()) return session.failure();
    WmiResult<std::unique_ptr<WmiObjectSet>> set = session.value()->instancesOf(className);
    if (!set.ok()) return set.failure();
    WmiResult<WmiDone> listed = set.value()->forEach(each);
    if (!listed.ok()) return listed.failure();
    return std::nullopt;
}

}  // namespace

std::optional<std::string> isoFromCim(const std::string& cim) {
    // yyyymmddHHMMSS.mmmmmmsUUU, UUU the offset in minutes
    if (cim.size() != 25 || cim[14] != '.' || (cim[21] != '+' && cim[21] != '-'))
        return std::nullopt;
    for (size_t i = 0; i < cim.size(); ++i)
        if (i != 14 && i != 21 && !std::isdigit(static_cast<unsigned char>(cim[i])))
            return std::nullopt;
    const int offset = std::atoi(cim.substr(22).c_str());
    char text[40];
    std::snprintf(text, sizeof text, "%.4s-%.2s-%.2sT%.2s:%.2s:%.2s%c%02d:%02d", cim.c_str(),
                  cim.c_str() + 4, cim.c_str() + 6, cim.c_str() + 8, cim.c_str() + 10,
                  cim.c_str() + 12, cim[21], offset / 60, offset % 60);
    return text;
}

void wmiValue(Json& object, const WmiField& field, const WmiResult<WmiValue>& read) {
    if (!read.ok()) return unread(object, field.key, read.failure());
    const WmiValue& value = read.value();
    if (value.kind == WmiValue::Kind::Null) {
        object[field.key] = nullptr;
    } else if (value.kind != kindOf(field.form)) {
        unread(object, field.key, std::string("Nečekaný typ hodnoty: ") + kindName(value.kind));
    } else {
        put(object, field, value);
    }
}

Json wmiFields(WmiObject& instance, std::span<const WmiField> fields) {
    Json object = Json::object();
    for (const WmiField& field : fields) wmiValue(object, field, instance.property(field.property));
    return object;
}

void wmiList(Json& record, const std::string& key, WmiSession& session,
             const std::string& className, std::span<const WmiField> fields) {
    Json list = Json::array();
    auto failed = forEachOf(session, className, [&](WmiObject& instance) {
        list.push_back(wmiFields(instance, fields));
        return true;
    });
    if (failed) {
        unread(record, key, *failed);
    } else {
        record[key] = list;
    }
}

void wmiFirst(Json& object, WmiSession& session, const std::string& className,
              std::span<const WmiField> fields) {
    std::optional<Json> first;
    auto failed = forEachOf(session, className, [&](WmiObject& instance) {
        first = wmiFields(instance, fields);
        return false;
    });
    if (failed) return unreadAll(object, fields, *failed);
    if (!first)
        return unreadAll(object, fields, "WMI nezná žádnou instanci třídy " + className + ".");
    object.update(*first);
}
