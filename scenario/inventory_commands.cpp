// Commands for the simulated machine's hardware descriptions and the
// program's inventory tables, and their print.
#include "core/app.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"
#include "scenario/commands.h"
#include "sources/hardware_inventory.h"

namespace vel {

namespace {

std::size_t argIndex(const Args& a, std::size_t i) {
    const int n = argInt(a, i);
    if (n < 0) throw ScenarioError("not an index: " + a[i]);
    return static_cast<std::size_t>(n);
}

const std::string& argClass(const Args& a, std::size_t i) {
    const std::string& name = arg(a, i);
    for (const std::string& known : inventoryClasses())
        if (known == name) return name;
    throw ScenarioError("not an inventory class: " + name);
}

// One line per record; fields left empty (and false flags) are not shown,
// so the closing empty record prints as its index alone.
void printTable(ScenarioContext& c, const std::string& className) {
    const auto records = inventoryRecords(c.started().inventory, className);
    for (std::size_t i = 0; i < records.size(); ++i) {
        c.out << className << "(" << i << ")";
        for (const auto& [field, value] : records[i])
            if (!value.empty() && value != "False") c.out << " " << field << "=\"" << value << "\"";
        c.out << "\n";
    }
}

}  // namespace

void registerInventoryCommands(CommandTable& t) {
    // hardware CLASS INDEX PROPERTY VALUE | hardware CLASS none | fails | answers
    t["hardware"] = [](ScenarioContext& c, const Args& a) {
        platform::SimSources& s = c.sim.simSources();
        const std::string& className = arg(a, 1);
        const std::string& what = arg(a, 2);
        if (what == "none")
            s.clearHardware(className);
        else if (what == "fails" || what == "answers")
            s.setHardwareFails(className, what == "fails");
        else
            s.setHardware(className, argIndex(a, 2), arg(a, 3), arg(a, 4));
    };
    // inventory CLASS INDEX FIELD VALUE: the running program's table.
    t["inventory"] = [](ScenarioContext& c, const Args& a) {
        if (!setInventoryField(c.started().inventory, argClass(a, 1), argIndex(a, 2), arg(a, 3), arg(a, 4)))
            throw ScenarioError(a[1] + " has no field " + a[3]);
    };
    CommandHandler earlierPrint = t["print"];
    t["print"] = [earlierPrint](ScenarioContext& c, const Args& a) {
        if (arg(a, 1) != "inventory") {
            if (!earlierPrint) throw ScenarioError("print what? " + a[1]);
            earlierPrint(c, a);
            return;
        }
        if (a.size() > 2)
            printTable(c, argClass(a, 2));
        else
            for (const std::string& className : inventoryClasses()) printTable(c, className);
    };
}

}  // namespace vel
