#include "platform/headless/headless_ui.h"

#include <stdexcept>

bool HeadlessUi::createWindow(const FormSpec& form, const std::vector<Binding>& bindings,
                              WindowId& window) {
    if (failCreation_) return false;
    window = nextWindow_++;
    Window& created = windows_[window];
    created.form = form;
    created.title = form.title;
    created.place = form.place;
    created.bindings = bindings;
    for (const ControlSpec& spec : form.controls) created.controls[spec.name] = {spec, spec.text};
    fire(window, "", Event::Created);
    return true;
}

HeadlessUi::Control& HeadlessUi::control(WindowId window, const std::string& name) {
    auto& controls = windows_.at(window).controls;
    const auto found = controls.find(name);
    // A name the form does not have is a fault in the program, not a scenario.
    if (found == controls.end()) throw std::logic_error("no control named " + name);
    return found->second;
}

void HeadlessUi::fire(WindowId window, const std::string& control, Event event) {
    for (const Binding& binding : windows_.at(window).bindings) {
        if (binding.control == control && binding.event == event) binding.handler();
    }
}

void HeadlessUi::click(WindowId window, const std::string& name) {
    control(window, name);
    fire(window, name, Event::Clicked);
}

void HeadlessUi::pressLeftButton(WindowId window, const std::string& name) {
    control(window, name);
    fire(window, name, Event::LeftButtonDown);
}

void HeadlessUi::close(WindowId window) { windows_.at(window).open = false; }

std::string HeadlessUi::title(WindowId window) { return windows_.at(window).title; }

void HeadlessUi::setTitle(WindowId window, const std::string& title) {
    windows_.at(window).title = title;
}

std::string HeadlessUi::caption(WindowId window, const std::string& name) {
    return control(window, name).caption;
}

void HeadlessUi::setCaption(WindowId window, const std::string& name, const std::string& text) {
    control(window, name).caption = text;
}

Size HeadlessUi::windowSize(WindowId window) {
    const Rect& place = windows_.at(window).place;
    return {place.width, place.height};
}

void HeadlessUi::moveWindow(WindowId window, int left, int top) {
    Rect& place = windows_.at(window).place;
    place.left = left;
    place.top = top;
}

MessageBoxAnswer HeadlessUi::messageBox(const std::string& text, const std::string& caption,
                                        MessageBoxStyle style) {
    boxes_.push_back({text, caption, style});
    if (answers_.empty()) return MessageBoxAnswer::Ok;
    const MessageBoxAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void HeadlessUi::runLoop() {
    while (openWindowCount() > 0) {
        if (actions_.empty()) {
            stalled_ = true;
            return;
        }
        const auto action = std::move(actions_.front());
        actions_.pop_front();
        action();
    }
}

int HeadlessUi::openWindowCount() {
    int count = 0;
    for (const auto& [id, window] : windows_) count += window.open ? 1 : 0;
    return count;
}
