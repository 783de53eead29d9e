// folimo-cli: the library's command line. Parses, calls FolimoKit, turns errors into exit
// codes: a ListingError's message and 1, a usage error and 2, a run stopped by a signal
// 128 + its number (130 for Ctrl-C, 143 for SIGTERM).
#include "cli.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/listing_exporter.hpp"
#include "folimo/work_messages.hpp"
#include "stop_on_interrupt.hpp"

#include <cstdio>
#include <iostream>

using namespace folimo;

namespace {

void printUsage(std::ostream& out) {
    out << "usage: folimo-cli COMMAND [options]\n       folimo-cli --version\n\ncommands:\n";
    for (const auto& command : cli::commands())
        out << "  " << command.name
            << std::string(10 - std::min<size_t>(command.name.size(), 9), ' ') << command.summary
            << "\n";
    out << "\n`folimo-cli COMMAND --help` tells more about one command.\n";
}

const cli::Command* find(std::string_view name) {
    for (const auto& command : cli::commands())
        if (command.name == name) return &command;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        printUsage(std::cerr);
        return 2;
    }
    if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        printUsage(std::cout);
        return 0;
    }
    if (words[0] == "--version") {
        std::cout << "folimo-cli " FOLIMO_VERSION "\n";
        return 0;
    }
    const cli::Command* command = find(words[0]);
    if (!command) {
        std::cerr << "folimo-cli: unknown command \"" << words[0] << "\"\n\n";
        printUsage(std::cerr);
        return 2;
    }
    words.erase(words.begin());
    cli::Args args(std::move(words));
    try {
        if (args.flag("--help") || args.flag("-h")) {
            std::cout << command->usage;
            return 0;
        }
        return command->run(args);
    } catch (const ListingError& error) {
        std::cerr << error.errorDescription() << "\n";
        return 1;
    } catch (const Cancelled& stopped) {
        // A set that was begun says what its folder holds now.
        const auto* set = dynamic_cast<const ListingExporter::Stopped*>(&stopped);
        std::cerr << (set ? WorkMessages::stopped(set->folder(),
                                                  ListingExporter::savedFileCount(set->files()),
                                                  set->plannedFiles())
                          : "Stopped.")
                  << "\n";
        const int signal = cli::StopOnInterrupt::stoppedBy();
        return 128 + (signal ? signal : SIGINT);
    } catch (const cli::UsageError& error) {
        std::cerr << "folimo-cli " << command->name << ": " << error.what() << "\n\n"
                  << command->usage;
        return 2;
    } catch (const cli::InputError& error) {
        std::cerr << "folimo-cli " << command->name << ": " << error.what() << "\n";
        return 2;
    }
}
