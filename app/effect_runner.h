// Applies a session's answers: the one place where effects are performed, for the main window
// and for the tests' fake world alike.
#pragma once

#include <deque>
#include <iterator>
#include <type_traits>
#include <utility>
#include <variant>

#include "session.h"

// The effects of an answer run in order from one queue. An effect that expects a reply is
// performed by a function that returns the reply, and the session's answer to it joins the back
// of the queue: replies run after the rest of their list. Nothing is fed to the session from
// inside an effect, so a nested loop (a box, a menu) that brings new events, as the timer's,
// meets an answer either whole or not yet begun.
template <typename Shell> class EffectRunner {
  public:
    EffectRunner(Session& session, Shell& shell) : session_(session), shell_(shell) {}

    template <typename Event> void Feed(const Event& event) { Run(session_.On(event)); }
    // Once the window is gone nothing is applied any more, not even what an outer answer holds.
    void Stop() { stopped_ = true; }

  private:
    void Run(Effects effects) {
        std::deque<Effect> queue(std::make_move_iterator(effects.begin()),
                                 std::make_move_iterator(effects.end()));
        while (!stopped_ && !queue.empty()) {
            const Effect effect = std::move(queue.front());
            queue.pop_front();
            std::visit([&](const auto& e) { Perform(e, queue); }, effect);
        }
    }

    template <typename Performed> void Perform(const Performed& effect, std::deque<Effect>& queue) {
        if constexpr (std::is_void_v<decltype(shell_.Perform(effect))>) {
            shell_.Perform(effect);
        } else {
            const auto reply = shell_.Perform(effect);
            if (stopped_)
                return;
            Effects answer = session_.On(reply);
            std::move(answer.begin(), answer.end(), std::back_inserter(queue));
        }
    }

    Session& session_;
    Shell& shell_;
    bool stopped_ = false;
};
