#include "tests/support/box_recorder.h"

#include <gtest/gtest.h>

namespace corvane::test {

BoxRecorder::BoxRecorder() {
    previous_ = SetBoxPresenter([this](const BoxRequest& request) { return Present(request); });
}

BoxRecorder::~BoxRecorder() {
    SetBoxPresenter(previous_);
    for (const BoxRequest& box : boxes_) {
        ADD_FAILURE() << "box never checked by the test: [" << box.title << "] " << box.text;
    }
    if (!script_.empty())
        ADD_FAILURE() << script_.size() << " scripted answers never used";
}

void BoxRecorder::Script(BoxAnswer answer) {
    script_.push_back(answer);
}

std::vector<BoxRequest> BoxRecorder::Take() {
    return std::exchange(boxes_, {});
}

std::vector<std::string> BoxRecorder::TakeTexts() {
    std::vector<std::string> texts;
    for (const BoxRequest& box : Take())
        texts.push_back(box.text);
    return texts;
}

BoxAnswer BoxRecorder::Present(const BoxRequest& request) {
    boxes_.push_back(request);
    if (request.buttons == BoxButtons::Ok)
        return BoxAnswer::Ok;
    if (script_.empty()) {
        ADD_FAILURE() << "Yes/No box with no scripted answer: " << request.text;
        return BoxAnswer::No;
    }
    const BoxAnswer answer = script_.front();
    script_.pop_front();
    return answer;
}

}  // namespace corvane::test
