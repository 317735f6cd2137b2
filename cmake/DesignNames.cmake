# The procedures and functions that keep the design's own names (HACKING.md, "Names"): sb for a
# procedure, fn for a function. A name in that style that is not listed here is one we coined
# and is written in Qt style instead; the ctest `naming` (cmake/CheckNames.cmake) holds to it.
# A comment after a name is its role in docs/NAMES.md (scripts/names.py), for a name whose
# declaration has no comment of its own above it.
set(ZZ_DESIGN_NAMES
  fnCbo_MaxTextWidth
  fnCbo_SendMsg
  fnChk_Date
  fnChk_Period
  fnChk_Year # true for a year "YYYY" within 100 years of the current one
  fnChk_YearMonth
  fnClear_Controls
  fnConf_Descramble # the configuration record's text, descrambled
  fnConf_Hash
  fnDisp_MsgScr
  fnGet_ConfValue
  fnGet_RegName
  fnGet_RegValue
  fnGet_SystemDir
  fnGraph_Type # the chart type the graph window's option buttons choose
  fnKey_Command # the command index bound to a key and its shift state (0 for none)
  fnSS_FitHeight # grid height in twips that holds a whole number of rows
  fnSS_MOVE_GraphMenu
  fnSS_MOVE_SizeMenu
  fnSS_PageRows # data rows that fit in the grid
  fnSet_ToolTip
  sbDisp_SSFind_Cell # shows the found cell in the grid and the find window
  sbDisp_SS_Graph_Init
  sbFind_SSFind_Next # the find window's search for the next match
  sbForm_Default
  sbForm_InitPosition
  sbForm_Layout # places the rate window's panels for its size
  sbGraph_AutoPreset # the graph window's automatic look for the number of items
  sbGraph_Build # makes the chart's series of the chosen type
  sbGraph_Fill # fills the chart with the items of the data set
  sbGraph_Reset
  sbGraph_ScrollStep # moves the chart one step or one page by a scroll button
  sbGraph_ScrollTo # shows the chart's page from the scroll bar's value
  sbGraph_Set3D # switches the chart's 3D look
  sbGraph_SetMarkFormat # sets the number format of the chart's value marks
  sbGraph_SetMarkStyle # sets what the chart's value marks show
  sbGraph_SetPageSize # sets how many items the chart shows at once
  sbGraph_SetScroll # sets the graph window's scroll bar for the page size
  sbGraph_ShowCross # switches the chart's cross-hair
  sbGraph_ShowCrossValue
  sbGraph_ShowPage # shows the current page of items in the chart
  sbGraph_ShowValue # switches the chart's value marks
  sbInit_Program # the program's start-up: one copy, the connection and the user code
  sbInit_ValueCombos # fills the graph window's mark style and format lists
  sbKey_Down
  sbKey_Run # runs the command bound to a key
  sbMouse_MoveToCtrl
  sbRun_Command # runs a command of the rate window by its index
  sbSS_ColFormat
  sbSS_ColSize
  sbSS_DefCol
  sbSS_ExportXls
  sbSS_Format
  sbSS_GridClear
  sbSS_GridSetup
  sbSS_HeadText
  sbSS_Init # the rate window's grid set-up: record, binding, columns and one empty line
  sbSS_MOVE_AUTO # one more step of a held move button, in the scroll bar's Tag direction
  sbSS_MOVE_Arrange
  sbSS_MOVE_Bind
  sbSS_MOVE_FocusBox
  sbSS_MOVE_GoKey
  sbSS_MOVE_GoLimit # keeps the go-to box's number within the grid's lines
  sbSS_MOVE_GoShow
  sbSS_MOVE_Layout
  sbSS_MOVE_LineDisp
  sbSS_MOVE_Release
  sbSS_MOVE_Reset
  sbSS_MOVE_ScrollChange # the navigator's scroll bar moved by a click: the grid follows
  sbSS_MOVE_ScrollDrag # the navigator's thumb is dragged: the grid follows at once
  sbSS_MOVE_Step
  sbSS_MOVE_Stop # a move button is let go: ends the repeat, the grid takes the focus
  sbSS_MOVE_TopLeftChange # the grid scrolled by other means: the scroll bar and line box follow
  sbSS_TXT_Format # sets up the graph window's list of items
  sbSS_WidthSync
  sbSet_ReportDSN
  sbSet_SSFind_Close
  sbSet_SSFind_Current # takes the grid's current cell as the find window's start
  sbSet_SSFind_Init
  sbSet_SSGraph_Close
  sbSlide_Panel
  sbSort_GraphItems
  sbTop_Align # keeps the rate window's upper panel aligned over its grid
)
