#pragma once

// A processor in the test process's private home and an editor on it, created and deleted the
// way a host does (the processor knows its active editor).

#include "LineEditorAudioProcessor.h"
#include "LineEditorAudioProcessorEditor.h"
#include "TestHome.h"

#include <gtest/gtest.h>

#include <memory>

namespace kalvo::test
{
inline std::unique_ptr<LineEditorAudioProcessor> makeEditorProcessor (float scale = 1.0f)
{
    temporaryHomeFolder();
    auto p = std::make_unique<LineEditorAudioProcessor>();
    p->scaling = scale;
    return p;
}

struct EditorDeleter
{
    void operator() (LineEditorAudioProcessorEditor* editor) const
    {
        editor->processor.editorBeingDeleted (editor);
        delete editor;
    }
};

using EditorPtr = std::unique_ptr<LineEditorAudioProcessorEditor, EditorDeleter>;

inline EditorPtr openEditor (LineEditorAudioProcessor& p)
{
    LineEditorAudioProcessor::editorFactory = &LineEditorAudioProcessorEditor::create;
    auto* editor = dynamic_cast<LineEditorAudioProcessorEditor*> (p.createEditorIfNeeded());
    LineEditorAudioProcessor::editorFactory = nullptr;
    EXPECT_NE (editor, nullptr);
    return EditorPtr (editor);
}
} // namespace kalvo::test
